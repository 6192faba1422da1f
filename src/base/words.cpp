#include "base/words.h"

#include "base/textfit.h"

namespace zyn {

namespace {

bool isArabicLetter(char32_t c) {
    return (c >= 0x620 && c <= 0x64A) || c == 0x66E || c == 0x66F || (c >= 0x671 && c <= 0x6D3) ||
           c == 0x6D5 || c == 0x6EE || c == 0x6EF || (c >= 0x6FA && c <= 0x6FC) || c == 0x6FF;
}

bool isThaiLetter(char32_t c) {
    return (c >= 0xE01 && c <= 0xE30) || c == 0xE32 || c == 0xE33 || (c >= 0xE40 && c <= 0xE46);
}

// Raised digits and fractions ("m²", "½") are digits too.
bool isDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == 0xB2 || c == 0xB3 || c == 0xB9 ||
           (c >= 0xBC && c <= 0xBE) || (c >= 0x660 && c <= 0x669) || (c >= 0x6F0 && c <= 0x6F9) ||
           (c >= 0xE50 && c <= 0xE59);
}

} // namespace

bool IsWordLetter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'))
        return true;
    if (c == 0xAA || c == 0xB5 || c == 0xBA || c == 0x207F)
        return true;
    if (c >= 0xC0 && c <= 0x24F) // Latin-1 letters and Latin Extended-A and B
        return c != 0xD7 && c != 0xF7;
    if (c >= 0x386 && c <= 0x3FF) // Greek
        return c != 0x387;
    if (c >= 0x400 && c <= 0x52F) // Cyrillic
        return c < 0x482 || c > 0x489;
    if ((c >= 0x5D0 && c <= 0x5EA) || (c >= 0x5F0 && c <= 0x5F2)) // Hebrew
        return true;
    if (isArabicLetter(c) || isThaiLetter(c))
        return true;
    // The Latin ligatures a font may show for two letters ("ﬁ"), and the marks set on the letter
    // before them (Vietnamese tones, Hebrew points, Arabic vowels, Thai vowels): inside a word.
    return (c >= 0xFB00 && c <= 0xFB06) || IsNonSpacingMark(c);
}

bool IsApostrophe(char32_t c) {
    return c == U'\'' || c == 0x2019 || c == 0x2BC;
}

CharClass ClassOf(char32_t c) {
    if (IsWordLetter(c))
        return CharClass::Letter;
    if (isDigit(c))
        return CharClass::Digit;
    if (IsApostrophe(c) || c == U'-')
        return CharClass::Joiner;
    // The blanks a text shows: spaces, line breaks and tabs, and the no-break space.
    if (c == U' ' || c == U'\r' || c == U'\n' || c == U'\t' || c == 0xA0 || c == 0x2028 ||
        c == 0x2029)
        return CharClass::Blank;
    return CharClass::Mark;
}

std::vector<Token> SplitTokens(std::span<const CharClass> classes) {
    std::vector<Token> tokens;
    const std::size_t n = classes.size();
    std::size_t i = 0;
    while (i < n) {
        const CharClass c = classes[i];
        if (c == CharClass::Blank) {
            ++i;
            continue;
        }
        if (!IsWordCharacter(c)) {
            tokens.push_back({i, 1, TokenKind::Mark});
            ++i;
            continue;
        }
        const std::size_t start = i;
        bool digits = false;
        while (i < n) {
            if (classes[i] == CharClass::Digit) {
                digits = true;
                ++i;
            } else if (classes[i] == CharClass::Letter) {
                ++i;
            } else if (classes[i] == CharClass::Joiner && !digits && i + 1 < n &&
                       classes[i - 1] == CharClass::Letter && classes[i + 1] == CharClass::Letter) {
                ++i;
            } else {
                break;
            }
        }
        tokens.push_back({start, i - start, digits ? TokenKind::Number : TokenKind::Word});
    }
    return tokens;
}

std::vector<CharClass> ClassesOf(std::u32string_view text) {
    std::vector<CharClass> classes;
    classes.reserve(text.size());
    for (const char32_t c : text)
        classes.push_back(ClassOf(c));
    return classes;
}

std::vector<CharClass> ClassesOfCodes(std::string_view codes, const CodeClasses& table) {
    std::vector<CharClass> classes;
    classes.reserve(codes.size());
    for (const char c : codes)
        classes.push_back(table[static_cast<std::uint8_t>(c)]);
    return classes;
}

std::vector<Token> SplitTokens(std::u32string_view text) {
    return SplitTokens(ClassesOf(text));
}

std::vector<WordSpan> SplitWords(std::u32string_view text) {
    std::vector<WordSpan> words;
    for (const Token& token : SplitTokens(text))
        if (token.kind == TokenKind::Word)
            words.push_back({token.start, token.length});
    return words;
}

std::size_t CountWords(std::span<const CharClass> classes) {
    std::size_t count = 0;
    for (const Token& token : SplitTokens(classes))
        count += token.kind != TokenKind::Mark;
    return count;
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

const CodeClasses& UnknownSetCodeClasses() {
    static const CodeClasses table = [] {
        CodeClasses t{};
        for (int code = 0; code < 256; ++code)
            t[static_cast<std::size_t>(code)] =
                code < 128 ? ClassOf(static_cast<char32_t>(code)) : CharClass::Letter;
        return t;
    }();
    return table;
}

} // namespace zyn
