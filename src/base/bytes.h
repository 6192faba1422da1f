#pragma once

// Byte strings and little-endian integers.
//
// Every file, item and entry text is held as a std::string with one char per byte (codes 0 to
// 255); these helpers are the one place where such bytes become numbers and back.

#include "base/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zyn {

// A code for every code: how a whole text is carried from one set of codes into another.
using ByteMap = std::array<std::uint8_t, 256>;

// The same for a mapping that can refuse a text: the text of entry (counted from 0) in the other
// codes, or a message saying why it has none.
using TextMapper = std::function<Result<std::string>(int entry, std::string_view text)>;

inline std::uint8_t byteAt(std::string_view bytes, std::size_t pos) {
    return static_cast<std::uint8_t>(bytes[pos]);
}

inline char toChar(unsigned code) {
    return static_cast<char>(static_cast<unsigned char>(code));
}

// Readers return 0 for any byte beyond the end, so callers check lengths before they trust a value.
inline std::uint16_t readU16(std::string_view bytes, std::size_t pos) {
    std::uint16_t value = 0;
    for (std::size_t i = 0; i < 2 && pos + i < bytes.size(); ++i)
        value |= static_cast<std::uint16_t>(byteAt(bytes, pos + i) << (8 * i));
    return value;
}

inline std::uint32_t readU32(std::string_view bytes, std::size_t pos) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && pos + i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(byteAt(bytes, pos + i)) << (8 * i);
    return value;
}

inline std::int32_t readI32(std::string_view bytes, std::size_t pos) {
    return static_cast<std::int32_t>(readU32(bytes, pos));
}

inline void appendU16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(toChar(value & 0xFF));
    bytes.push_back(toChar(value >> 8));
}

inline void appendU32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(toChar((value >> (8 * i)) & 0xFF));
}

// Overwrites bytes that already exist; the caller has made room.
inline void putU16(std::string& bytes, std::size_t pos, std::uint16_t value) {
    bytes[pos] = toChar(value & 0xFF);
    bytes[pos + 1] = toChar(value >> 8);
}

inline void putU32(std::string& bytes, std::size_t pos, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[pos + i] = toChar((value >> (8 * i)) & 0xFF);
}

// Each byte of text replaced by its code in map, except line breaks: a CR LF pair stays one
// whatever map does with codes 13 and 10, since a line break is no character of any table.
inline std::string mapText(std::string text, const ByteMap& map) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        else
            text[i] = toChar(map[byteAt(text, i)]);
    }
    return text;
}

} // namespace zyn
