#pragma once

// Texts read from a file, shown in a message: a character that shows nothing (a CR, a tab, a
// no-break or zero-width space, a byte-order mark) is named instead, so that a person sees
// why "text.hqr:37:1" was refused.

#include <string>
#include <string_view>

namespace zyn {

// Whether letter shows as nothing, or as a plain space it is not: controls, format characters,
// spaces other than U+0020.
bool IsInvisible(char32_t letter);

// text (UTF-8) with each invisible character named: "text.hqr:37:1(U+000D)". Malformed bytes
// are named as bytes ("(byte 0xFF)").
std::string VisibleText(std::string_view text);

} // namespace zyn
