#include "characters/composition.h"

#include <array>

namespace zyn {

namespace {

// The tone marks, in the order of the columns below.
constexpr std::array<char32_t, 5> Tones = {
    0x0300, // grave
    0x0301, // acute
    0x0303, // tilde
    0x0309, // hook above
    0x0323, // dot below
};

// A small vowel and the letters it makes with each tone mark.
struct TonedVowel {
    char32_t base;
    std::array<char32_t, 5> toned;
};

constexpr TonedVowel TonedVowels[] = {
    {U'a', {0x00E0, 0x00E1, 0x00E3, 0x1EA3, 0x1EA1}},
    {0x0103, {0x1EB1, 0x1EAF, 0x1EB5, 0x1EB3, 0x1EB7}}, // ă
    {0x00E2, {0x1EA7, 0x1EA5, 0x1EAB, 0x1EA9, 0x1EAD}}, // â
    {U'e', {0x00E8, 0x00E9, 0x1EBD, 0x1EBB, 0x1EB9}},
    {0x00EA, {0x1EC1, 0x1EBF, 0x1EC5, 0x1EC3, 0x1EC7}}, // ê
    {U'i', {0x00EC, 0x00ED, 0x0129, 0x1EC9, 0x1ECB}},
    {U'o', {0x00F2, 0x00F3, 0x00F5, 0x1ECF, 0x1ECD}},
    {0x00F4, {0x1ED3, 0x1ED1, 0x1ED7, 0x1ED5, 0x1ED9}}, // ô
    {0x01A1, {0x1EDD, 0x1EDB, 0x1EE1, 0x1EDF, 0x1EE3}}, // ơ
    {U'u', {0x00F9, 0x00FA, 0x0169, 0x1EE7, 0x1EE5}},
    {0x01B0, {0x1EEB, 0x1EE9, 0x1EEF, 0x1EED, 0x1EF1}}, // ư
    {U'y', {0x1EF3, 0x00FD, 0x1EF9, 0x1EF7, 0x1EF5}},
};

// The small vowels the tones are put on, from their plain vowel and mark.
constexpr Decomposition MarkedVowels[] = {
    {U'a', 0x0306}, // ă
    {U'a', 0x0302}, // â
    {U'e', 0x0302}, // ê
    {U'o', 0x0302}, // ô
    {U'o', 0x031B}, // ơ
    {U'u', 0x031B}, // ư
};
constexpr char32_t MarkedVowelLetters[] = {0x0103, 0x00E2, 0x00EA, 0x00F4, 0x01A1, 0x01B0};

// Every capital of these letters lies just below its small letter: 32 below in Latin-1, one
// below beyond it.
constexpr char32_t capital(char32_t small) {
    return small < 0x100 ? small - 0x20 : small - 1;
}

// Calls visit(letter, base, mark) for every letter of the table, small and capital.
template <typename Visit> bool forEachLetter(Visit visit) {
    for (const bool caps : {false, true}) {
        const auto cased = [caps](char32_t c) {
            return caps ? capital(c) : c;
        };
        for (const TonedVowel& vowel : TonedVowels)
            for (std::size_t t = 0; t < Tones.size(); ++t)
                if (visit(cased(vowel.toned[t]), cased(vowel.base), Tones[t]))
                    return true;
        for (std::size_t v = 0; v < std::size(MarkedVowels); ++v)
            if (visit(cased(MarkedVowelLetters[v]), cased(MarkedVowels[v].base),
                      MarkedVowels[v].mark))
                return true;
    }
    return false;
}

} // namespace

std::optional<Decomposition> Decompose(char32_t letter) {
    std::optional<Decomposition> found;
    forEachLetter([&](char32_t composed, char32_t base, char32_t mark) {
        if (composed == letter)
            found = Decomposition{base, mark};
        return found.has_value();
    });
    return found;
}

std::optional<char32_t> Compose(char32_t base, char32_t mark) {
    std::optional<char32_t> found;
    forEachLetter([&](char32_t composed, char32_t b, char32_t m) {
        if (b == base && m == mark)
            found = composed;
        return found.has_value();
    });
    return found;
}

bool IsCombiningMark(char32_t c) {
    return c >= 0x0300 && c <= 0x036F;
}

} // namespace zyn
