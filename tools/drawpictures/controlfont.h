#pragma once

#include <string>

namespace zyn::art {

// The family of the font of control codes; the editor names it too.
inline constexpr const char* ControlFontFamily = "ZYN Control Codes";

// A TrueType font with one glyph for each of the symbols that show control codes (U+2400 to
// U+241F for the codes 0 to 31, U+2421 for 127): the code's short name in square letters inside
// a box, so that every control code in a text is visible and tells which one it is.
std::string drawControlFont();

} // namespace zyn::art
