#include "spelling/words.h"

namespace zyn {

bool IsWordLetter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'))
        return true;
    if (c == 0xAA || c == 0xB5 || c == 0xBA)
        return true;
    if (c >= 0xC0 && c <= 0x24F) // Latin-1 letters and Latin Extended-A and B
        return c != 0xD7 && c != 0xF7;
    if (c >= 0x386 && c <= 0x3FF) // Greek
        return c != 0x387;
    if (c >= 0x400 && c <= 0x52F) // Cyrillic
        return c < 0x482 || c > 0x489;
    return c >= 0x5D0 && c <= 0x5EA; // Hebrew
}

bool IsApostrophe(char32_t c) {
    return c == U'\'' || c == 0x2019 || c == 0x2BC;
}

namespace {

bool isJoiner(char32_t c) {
    return IsApostrophe(c) || c == U'-';
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

} // namespace

std::vector<WordSpan> SplitWords(std::u32string_view text) {
    std::vector<WordSpan> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsWordLetter(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() &&
               (IsWordLetter(text[i]) ||
                (isJoiner(text[i]) && i + 1 < text.size() && IsWordLetter(text[i + 1]))))
            ++i;
        const bool nearDigit =
            (start > 0 && isDigit(text[start - 1])) || (i < text.size() && isDigit(text[i]));
        if (!nearDigit)
            words.push_back({start, i - start});
        // The rest of a run glued to digits is no word either.
        while (i < text.size() && (IsWordLetter(text[i]) || isDigit(text[i])))
            ++i;
    }
    return words;
}

std::vector<std::u32string_view> ElisionPieces(std::u32string_view word) {
    std::vector<std::u32string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (IsApostrophe(word[i])) {
            pieces.push_back(word.substr(start, i + 1 - start));
            start = i + 1;
        }
    pieces.push_back(word.substr(start));
    return pieces;
}

} // namespace zyn
