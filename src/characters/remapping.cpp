#include "characters/remapping.h"

#include "base/bytes.h"
#include "characters/utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

namespace zyn {

namespace {

constexpr std::size_t CmpLength = 256;
constexpr std::size_t SetLength = 255;
// A table needs 256 bytes at most; anything far larger was chosen by mistake through
// "All files" and is not worth reading into memory.
constexpr std::uint64_t MaxRemappingFileSize = 1024 * 1024;

bool isLineBreakAt(std::string_view text, std::size_t i) {
    return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
}

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
    return mapText(std::string(text), DisplayCodeMap(tables));
}

UnmappedText UnmapText(const CharacterTables& tables, std::string_view display) {
    UnmappedText result;
    result.text.reserve(display.size());
    for (std::size_t i = 0; i < display.size(); ++i) {
        if (isLineBreakAt(display, i)) {
            result.text += "\r\n"; // no character of the table
            ++i;
            continue;
        }
        const std::uint8_t c = byteAt(display, i);
        const auto& table = tables.RemapTable;
        const auto it = std::find(table.begin(), table.end(), c);
        // Slot 0 and another holding it: the lowest, code 0, would end the entry in the game
        // where the text may have held any of the others. Slot 0 alone gives its code 0 back.
        const bool ambiguousZero =
            it == table.begin() && std::find(it + 1, table.end(), c) != table.end();
        if (it == table.end() || ambiguousZero) {
            result.missing = c;
            result.toZero = ambiguousZero;
            return result;
        }
        result.text.push_back(toChar(static_cast<std::uint8_t>(it - table.begin())));
    }
    return result;
}

std::string UnmappableReason(const UnmappedText& unmapped) {
    return unmapped.toZero ? ", which the character remapping table maps back to code 0 (the "
                             "end of an entry)"
                           : ", which no slot of the character remapping table holds";
}

std::string DescribeDisplayCode(const CharacterTables& tables, std::uint8_t code) {
    char number[16];
    if (!tables.ShownCharacterSet) {
        std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
        return number;
    }
    std::string text = "\"";
    AppendUtf8(text, tables.ShownCharacterSet->letters.letter(code));
    return text + "\" (code " + std::to_string(code) + ")";
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

TextMapper GameCodeMap(const CharacterTables& tables) {
    if (!tables.RemapLoaded)
        return {};
    return [tables](int entry, std::string_view text) -> Result<std::string> {
        UnmappedText unmapped = UnmapText(tables, text);
        if (unmapped.missing)
            return Result<std::string>::failure(
                ErrorKind::Damaged,
                "The texts cannot be saved: entry " + std::to_string(entry + 1) +
                    " holds the character " + DescribeDisplayCode(tables, *unmapped.missing) +
                    UnmappableReason(unmapped) + ". Please, change that entry.");
        return std::move(unmapped.text);
    };
}

} // namespace zyn
