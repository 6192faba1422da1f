#pragma once

// The letters of a character set as words see them: the class of the letter each code shows
// (base/words.h), and letters folded to one case for matching without regard to case. Folding
// is done here, not through a platform library, so that the tool and the editor match alike.

#include "base/words.h"
#include "characters/charactersets.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

CodeClasses CodeClassesOf(const LetterTable& table);

// The small letter of a capital of Basic Latin, Latin-1, Latin Extended-A, Greek and Cyrillic,
// the alphabets the character sets show; any other character as it is. Final sigma folds to
// sigma.
char32_t FoldCase(char32_t c);
std::u32string FoldCase(std::u32string_view text);

// Each code of a character set folded to the code of the same letter in one case, itself when
// the set has no other: how a search without regard to case reads codes.
using CodeFolding = std::array<std::uint8_t, 256>;
CodeFolding FoldedCodes(const LetterTable& table);

} // namespace zyn
