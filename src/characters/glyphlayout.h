#pragma once

// What the windows need to show and type game codes without the games' own font: which
// ordinary character each game code stands for, and which code page turns bytes into characters
// for each font character set of the character set selector.

#include "characters/keyboardgroups.h"

#include <array>

namespace zyn {

// For each game code, the windows-1252 code of the character the games' font draws there, or -1
// where no keyboard group tells. Codes below 128 stand for themselves. Two game codes never give
// the same windows-1252 code, so the mapping can be turned round for typing.
std::array<int, 256> WesternGlyphCodes();

// The code page that shows the bytes of a text drawn with font character set charset. Numbers
// the selector does not offer show as windows-1252.
int CodePageForCharset(int charset);

// The name a text codec knows code page codePage by ("windows-1252", "IBM850", ...), or nullptr
// for a code page that CodePageForCharset and TypingCodePageForGroup never give.
const char* CodecNameForCodePage(int codePage);

// The code page in which a typed character becomes the group's 8-bit typed code.
int TypingCodePageForGroup(KeyboardGroup group);

} // namespace zyn
