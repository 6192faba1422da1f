#pragma once

// Unicode's canonical normalisation: a text brought to its composed form (NFC), so that a
// letter written as a base letter and combining marks (as some keyboards, systems and
// translation tools write it) is the same text as the letter written whole.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zyn {

// 0 for a starter (a letter, a digit, a space ...); the order combining marks are sorted in.
std::uint8_t CombiningClass(char32_t c);

// One step of c's canonical decomposition: ế gives ê and U+0301, Å (U+212B) gives Å alone
// (second 0). Nothing for a character that does not decompose.
struct Decomposition {
    char32_t first;
    char32_t second;
};
std::optional<Decomposition> Decompose(char32_t c);

// c decomposed all the way (NFD of the one character): ế gives e, U+0302, U+0301.
std::u32string FullyDecomposed(char32_t c);

// The decomposed form of text (NFD): every character decomposed, marks in canonical order.
std::u32string ToNfd(std::u32string_view text);
// The composed form of text (NFC).
std::u32string ToNfc(std::u32string_view text);

} // namespace zyn
