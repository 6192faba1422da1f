#pragma once

// UTF-8, the form texts take outside the program (JSON, terminals, translation files).

#include <string>
#include <string_view>

namespace zyn {

void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(std::u32string_view text);
// Malformed bytes each give U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

} // namespace zyn
