#include "characters/visibletext.h"

#include "characters/utf8.h"

#include <cstdio>

namespace zyn {

namespace {

std::string named(const char* format, unsigned value) {
    char name[24];
    std::snprintf(name, sizeof name, format, value);
    return name;
}

// The length of the well-formed UTF-8 character at the start of text, 0 when it is malformed.
std::size_t characterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2                ? 2
                                                             : 0;
    if (length == 0 || length > text.size())
        return 0;
    const std::u32string decoded = DecodeUtf8(text.substr(0, length));
    return decoded.size() == 1 && decoded[0] != 0xFFFD ? length : 0;
}

} // namespace

bool IsInvisible(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x34F || c == 0x61C ||
           c == 0x115F || c == 0x1160 || c == 0x17B4 || c == 0x17B5 ||
           (c >= 0x180B && c <= 0x180F) || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
           c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
           (c >= 0xFFF0 && c <= 0xFFF8) || (c >= 0xE0000 && c <= 0xE0FFF);
}

std::string VisibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = characterLength(text);
        if (length == 0) {
            out += named("(byte 0x%02X)", static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        const char32_t c = DecodeUtf8(text.substr(0, length))[0];
        if (IsInvisible(c))
            out += named("(U+%04X)", static_cast<unsigned>(c));
        else
            out += text.substr(0, length);
        text.remove_prefix(length);
    }
    return out;
}

} // namespace zyn
