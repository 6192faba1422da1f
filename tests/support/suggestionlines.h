#pragma once

// Suggestions of the translation memory as lines a failed expectation shows whole:
// "75 Merci a tous ! @FR_000.DIA:4" (likeness, text, bank and entry counted from 0).

#include "document/translationmemory.h"

#include <string>
#include <vector>

namespace zyn::test {

inline std::vector<std::string> described(const std::vector<Suggestion>& suggestions) {
    std::vector<std::string> out;
    for (const Suggestion& s : suggestions)
        out.push_back(std::to_string(s.likeness) + " " + s.text + " @" + s.where.bank + ":" +
                      std::to_string(s.where.entry));
    return out;
}

} // namespace zyn::test
