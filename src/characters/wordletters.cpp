#include "characters/wordletters.h"

namespace zyn {

CodeClasses CodeClassesOf(const LetterTable& table) {
    CodeClasses classes{};
    for (int code = 0; code < 256; ++code)
        classes[static_cast<std::size_t>(code)] =
            ClassOf(table.letter(static_cast<std::uint8_t>(code)));
    return classes;
}

namespace {

// Latin Extended-A pairs a capital with the small letter after it, from an even code in the
// first and last parts and from an odd code between them.
char32_t foldLatinExtendedA(char32_t c) {
    if (c == 0x130)
        return U'i';
    if (c == 0x178)
        return 0xFF;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c % 2 == 0 ? c + 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 1 ? c + 1 : c;
    return c;
}

char32_t foldGreek(char32_t c) {
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 0x20;
    if (c == 0x3C2)
        return 0x3C3;
    return c;
}

char32_t foldCyrillic(char32_t c) {
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return c % 2 == 0 ? c + 1 : c;
    if (c == 0x4C0)
        return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE)
        return c % 2 == 1 ? c + 1 : c;
    return c;
}

} // namespace

char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 32;
    if (c >= 0x100 && c <= 0x17F)
        return foldLatinExtendedA(c);
    if (c == 0x1A0 || c == 0x1AF) // the Vietnamese horned O and U
        return c + 1;
    if (c >= 0x386 && c <= 0x3FF)
        return foldGreek(c);
    if (c >= 0x400 && c <= 0x52F)
        return foldCyrillic(c);
    return c;
}

CodeFolding FoldedCodes(const LetterTable& table) {
    CodeFolding folded{};
    for (int b = 0; b < 256; ++b) {
        const auto code = static_cast<std::uint8_t>(b);
        folded[code] = table.code(FoldCase(table.letter(code))).value_or(code);
    }
    return folded;
}

std::u32string FoldCase(std::u32string_view text) {
    std::u32string folded(text);
    for (char32_t& c : folded)
        c = FoldCase(c);
    return folded;
}

} // namespace zyn
