#pragma once

// The translation project most tests open: a ZYN 2 archive, English (or source) into French.

#include "project/translationproject.h"

#include <string>

namespace zyn::test {

inline TranslationProject FrenchProject(std::string archive = "text.hqr", int source = 0) {
    TranslationProject project;
    project.archive = std::move(archive);
    project.game = 2;
    project.sourceLanguage = source;
    project.targetLanguage = 1;
    return project;
}

} // namespace zyn::test
