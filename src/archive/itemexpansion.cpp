#include "archive/itemexpansion.h"

#include "archive/archiveindex.h"
#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"

namespace zyn {

namespace {

// An item file's stored data: the largest archive item this program accepts.
constexpr std::uint64_t MaxItemFileSize = MaxArchiveSize;

} // namespace

std::string ExpandingLabel(const std::string& source) {
    return "Expanding file: \r\n" + source + " . . .";
}

Result<ExpansionResult> ExpandItemFile(FileSystem& fs, const std::string& sourcePath,
                                       const std::string& targetPath, bool hasHeader,
                                       const ProgressFn& progress, std::size_t limit) {
    auto file = fs.readFile(sourcePath, MaxItemFileSize);
    if (!file)
        return file.status();
    // Without a header there is no expanded size or method to go by, and the data would be read
    // from offset 10 of a file that does not start there; such a file is not expanded.
    if (!hasHeader || file->size() < ItemHeaderSize || readU32(*file, 0) == 0)
        return ExpansionResult{};
    const std::string expanded = ExpandItemBytes(*file, progress, limit);
    if (Status written = WriteFileSafely(fs, targetPath, expanded); !written)
        return written;
    return ExpansionResult{true};
}

} // namespace zyn
