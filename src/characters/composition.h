#pragma once

// Letters written with one combining mark, for the character sets that spell some letters as a
// base letter followed by a mark (Vietnamese): the Vietnamese vowels with their tone marks, and
// the vowels with breve, circumflex and horn that the tones are put on.

#include <optional>

namespace zyn {

struct Decomposition {
    char32_t base;
    char32_t mark;
};

// ế gives ê and U+0301; a letter outside the table gives nothing.
std::optional<Decomposition> Decompose(char32_t letter);
// ê and U+0301 give ế; a pair outside the table gives nothing.
std::optional<char32_t> Compose(char32_t base, char32_t mark);

// U+0300 to U+036F.
bool IsCombiningMark(char32_t c);

} // namespace zyn
