#include "base/itemheader.h"

#include "base/bytes.h"

#include <algorithm>

namespace zyn {

ItemHeader TestHeader(std::string_view file) {
    return TestHeader(file, file.size());
}

ItemHeader TestHeader(std::string_view start, std::uint64_t fileSize) {
    ItemHeader header;
    header.expandedSize = readU32(start, 0);
    header.storedSize = readI32(start, 4);
    header.mode = start.size() > 8 ? byteAt(start, 8) : 0;
    header.found =
        fileSize >= ItemHeaderSize && start.size() >= ItemHeaderSize &&
        static_cast<std::int64_t>(header.storedSize) == static_cast<std::int64_t>(fileSize) - 10;
    return header;
}

std::string StoredItemHeader(std::uint64_t size) {
    std::string header;
    appendU32(header, static_cast<std::uint32_t>(size));
    appendU32(header, static_cast<std::uint32_t>(size));
    appendU16(header, 0);
    return header;
}

std::string StoredItem(std::string_view data) {
    std::string item = StoredItemHeader(data.size());
    item.append(data);
    return item;
}

std::string ExpandItemBytes(std::string_view file, const ProgressFn& progress, std::size_t limit) {
    if (file.size() < ItemHeaderSize)
        return {};
    const std::size_t expandedSize = std::min<std::size_t>(readU32(file, 0), limit);
    const int method = MethodForMode(readU16(file, 8));
    return ExpandData(file.substr(ItemHeaderSize), method, expandedSize, progress);
}

} // namespace zyn
