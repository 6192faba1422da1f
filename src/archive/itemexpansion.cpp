#include "archive/itemexpansion.h"

#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "base/workingfolder.h"

#include <algorithm>

namespace zyn {

std::string ExpandingLabel(const std::string& source) {
    return "Expanding file: \r\n" + ShownPath(source) + " . . .";
}

Result<ExpansionResult> ExpandItemFile(FileSystem& fs, const std::string& sourcePath,
                                       const std::string& targetPath, bool hasHeader,
                                       const ProgressFn& progress, std::size_t limit) {
    auto source = fs.open(sourcePath, false);
    if (!source)
        return source.status();
    FileCloser closer(fs, *source);
    // Without a header there is no expanded size or method to go by, and the data would be read
    // from offset 10 of a file that does not start there; such a file is not expanded.
    if (!hasHeader)
        return ExpansionResult{};
    return ExpandItemAt(fs, *source, 0, targetPath, progress, limit);
}

Result<ExpansionResult> ExpandItemAt(FileSystem& fs, OpenFile& source, std::uint64_t at,
                                     const std::string& targetPath, const ProgressFn& progress,
                                     std::size_t limit) {
    std::string header(ItemHeaderSize, '\0');
    auto read = fs.readAt(source, at, header.data(), header.size());
    if (!read)
        return read.status();
    header.resize(*read);
    if (header.size() < ItemHeaderSize || readU32(header, 0) == 0)
        return ExpansionResult{};

    auto target = ReplacementFile::start(fs, targetPath);
    if (!target)
        return target.status();
    // The output is written as it is decoded: neither side is held whole.
    Status failed;
    std::uint64_t offset = at + ItemHeaderSize;
    const std::uint64_t end = offset + readU32(header, 4);
    const auto input = [&](char* buffer, std::size_t size) -> std::size_t {
        auto got = fs.readAt(source, offset, buffer,
                             static_cast<std::size_t>(std::min<std::uint64_t>(size, end - offset)));
        if (!got) {
            failed = got.status();
            return 0;
        }
        offset += *got;
        return *got;
    };
    const auto output = [&](std::string_view bytes) {
        if (failed.ok())
            failed = target->write(bytes);
        return failed.ok();
    };
    ExpandStream(input, MethodForMode(readU16(header, 8)),
                 std::min<std::uint64_t>(readU32(header, 0), limit), output, progress);
    if (!failed)
        return failed;
    if (Status committed = target->commit(); !committed)
        return committed;
    return ExpansionResult{true};
}

} // namespace zyn
