#pragma once

// Expanding an item file (a file that starts with an item header) into a second file that holds
// the expanded data only, without header.

#include "base/expanddata.h"
#include "base/filesystem.h"
#include "base/result.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zyn {

// The suffix of the expanded copy of a file: EN_000.DIA is expanded into EN_000.DIA.TMP.
inline constexpr const char* ExpandedSuffix = ".TMP";

// The text of the progress window while source is expanded.
std::string ExpandingLabel(const std::string& source);

struct ExpansionResult {
    bool written = false; // false when there was nothing to expand (expanded size 0)
};

// Expands the item file sourcePath into targetPath with the method its mode names, cut to the
// header's expanded size. hasHeader says whether the caller found an item header in the source:
// without one, or in a source shorter than the header, or with an expanded size of 0, nothing
// is written and the result says so. A failed read or write is a failure; targetPath is then
// left as it was.
// At most limit bytes are expanded (see ExpandItemBytes).
Result<ExpansionResult> ExpandItemFile(FileSystem& fs, const std::string& sourcePath,
                                       const std::string& targetPath, bool hasHeader,
                                       const ProgressFn& progress = {},
                                       std::size_t limit = SIZE_MAX);

// Expands the item whose header is at offset `at` of the open file (an archive's item, or
// offset 0 of an item file), its data being the stored size the header gives, into
// targetPath as ExpandItemFile does; nothing is written for an expanded size of 0.
Result<ExpansionResult> ExpandItemAt(FileSystem& fs, OpenFile& source, std::uint64_t at,
                                     const std::string& targetPath, const ProgressFn& progress = {},
                                     std::size_t limit = SIZE_MAX);

} // namespace zyn
