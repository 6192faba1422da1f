#include "document/ordinals.h"

#include "base/bytes.h"
#include "base/expanddata.h"
#include "base/itemheader.h"

namespace zyn {

namespace {

// 1024 groups of two bytes fit in far less; compressed data a little larger than its payload.
constexpr std::uint64_t MaxOrdinalFileSize = 1024 * 1024;

} // namespace

bool LoadOrdinalFile(FileSystem& fs, const std::string& path, OrdinalArray& ordinals) {
    auto file = fs.readFile(path, MaxOrdinalFileSize);
    if (!file)
        return false;
    const ItemHeader header = TestHeader(*file);
    std::string payload;
    if (!header.found)
        payload = std::move(*file);
    else if (header.mode == 0)
        payload = file->substr(ItemHeaderSize);
    else
        payload = ExpandData(std::string_view(*file).substr(ItemHeaderSize),
                             MethodForMode(header.mode), header.expandedSize);

    const std::size_t last = payload.size() / 2;
    if (last >= ordinals.size())
        return false;
    OrdinalArray read = ordinals;
    for (std::size_t i = 0; i <= last; ++i) {
        const std::uint16_t value = readU16(payload, 2 * i);
        if (value > 32767)
            return false;
        read[i] = static_cast<std::int16_t>(value);
    }
    ordinals = read;
    return true;
}

} // namespace zyn
