#include "base/itemheader.h"

#include "base/bytes.h"

#include <algorithm>

namespace zyn {

ItemHeader TestHeader(std::string_view file) {
    ItemHeader header;
    header.expandedSize = readU32(file, 0);
    header.storedSize = readI32(file, 4);
    header.mode = file.size() > 8 ? byteAt(file, 8) : 0;
    header.found = file.size() >= ItemHeaderSize && static_cast<std::int64_t>(header.storedSize) ==
                                                        static_cast<std::int64_t>(file.size()) - 10;
    return header;
}

std::string StoredItem(std::string_view data) {
    std::string item;
    item.reserve(ItemHeaderSize + data.size());
    appendU32(item, static_cast<std::uint32_t>(data.size()));
    appendU32(item, static_cast<std::uint32_t>(data.size()));
    appendU16(item, 0);
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
