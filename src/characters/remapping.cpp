#include "characters/remapping.h"

#include "base/bytes.h"

#include <algorithm>
#include <cstddef>

namespace zyn {

namespace {

constexpr std::size_t CmpLength = 256;
constexpr std::size_t SetLength = 255;
// A table needs 256 bytes at most; anything far larger was chosen by mistake through
// "All files" and is not worth reading into memory.
constexpr std::uint64_t MaxRemappingFileSize = 1024 * 1024;

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsSetFileName(const std::string& path) {
    if (path.size() < 3)
        return false;
    const std::string_view tail = std::string_view(path).substr(path.size() - 3);
    return upperAscii(tail[0]) == 'S' && upperAscii(tail[1]) == 'E' && upperAscii(tail[2]) == 'T';
}

std::optional<RemapSlots> ParseRemapping(std::string_view bytes, bool setFormat) {
    RemapSlots slots{};
    if (setFormat) {
        if (bytes.size() < SetLength)
            return std::nullopt;
        // Code 0 ends every entry in the games' files; a ".set" file has no byte for it.
        slots[0] = 0;
        for (std::size_t k = 1; k < slots.size(); ++k)
            slots[k] = byteAt(bytes, k - 1);
    } else {
        if (bytes.size() < CmpLength)
            return std::nullopt;
        for (std::size_t k = 0; k < slots.size(); ++k)
            slots[k] = byteAt(bytes, k);
    }
    return slots;
}

Status LoadRemapping(CharacterTables& tables, FileSystem& fs, const std::string& path,
                     bool setFormat) {
    Result<std::string> bytes = fs.readFile(path, MaxRemappingFileSize);
    if (!bytes)
        return bytes.status();
    std::optional<RemapSlots> slots = ParseRemapping(*bytes, setFormat);
    if (!slots) {
        const std::size_t needed = setFormat ? SetLength : CmpLength;
        return Status::failure(ErrorKind::Damaged,
                               "The file " + path + " is too short for a character remapping " +
                                   "table: it holds " + std::to_string(bytes->size()) +
                                   " bytes, and " + std::to_string(needed) + " are needed.");
    }
    tables.RemapTable = *slots;
    tables.RemapLoaded = true;
    return {};
}

std::string RemapText(const CharacterTables& tables, std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const auto& slot = tables.RemapTable[static_cast<unsigned char>(c)];
        if (slot)
            c = toChar(*slot);
    }
    return result;
}

std::uint8_t FindInTable(const RemapSlots& table, std::uint8_t c) {
    const auto it = std::find(table.begin(), table.end(), c);
    return it == table.end() ? 0 : static_cast<std::uint8_t>(it - table.begin());
}

std::uint8_t UnmapChar(const CharacterTables& tables, std::uint8_t display, bool reverse) {
    return reverse ? FindInTable(tables.RemapTable, display) : display;
}

ByteMap DisplayCodeMap(const CharacterTables& tables) {
    // An empty slot keeps its character, as on screen: dropping it would silently remove the
    // character from the document.
    ByteMap map{};
    for (std::size_t k = 0; k < map.size(); ++k)
        map[k] = tables.RemapTable[k].value_or(static_cast<std::uint8_t>(k));
    return map;
}

std::optional<ByteMap> GameCodeMap(const CharacterTables& tables) {
    if (!tables.RemapLoaded)
        return std::nullopt;
    ByteMap map{};
    for (std::size_t k = 0; k < map.size(); ++k)
        map[k] = UnmapChar(tables, static_cast<std::uint8_t>(k), true);
    return map;
}

} // namespace zyn
