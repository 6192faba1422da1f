#pragma once

// The code pages in which typed characters arrive for each keyboard group.

#include "characters/keyboardgroups.h"

#include <array>

namespace zyn {

// The name a text codec knows code page codePage by ("windows-1252", "IBM850", ...), or nullptr
// for a code page that TypingCodePageForGroup never gives.
const char* CodecNameForCodePage(int codePage);

// The code page in which a typed character becomes the group's 8-bit typed code.
int TypingCodePageForGroup(KeyboardGroup group);

} // namespace zyn
