#pragma once

// The files and archive items opened last, newest first, as File > Recent files lists them.

#include "document/textdocument.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zyn {

constexpr std::size_t MaxRecentFiles = 8;

// Puts where a document was opened from first; an earlier mention of the same file or item
// goes, and only the newest MaxRecentFiles stay.
void RememberRecentFile(std::vector<DocumentOrigin>& recent, const DocumentOrigin& opened);

// "FR_000.DIA in text.hqr" for an archive item, the file's name for a loose file.
std::string RecentFileLabel(const DocumentOrigin& origin);

} // namespace zyn
