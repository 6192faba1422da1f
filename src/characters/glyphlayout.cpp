#include "characters/glyphlayout.h"

#include <cstddef>

namespace zyn {

namespace {

// The Western group types ï with the code it gives ì; the font draws ì there, in the layout its
// neighbours 138 è, 140 î and 161 í share, and ï only borrows the code.
constexpr int TypedSubstitute = 239;

// For each game code from 128 up, the highest typed code from 128 up that the group gives it:
// where a symbol and a letter share a code (Œ and Á), the letter is the one the font draws.
void fillFromGroup(std::array<int, 256>& codes, KeyboardGroup group) {
    const auto table = KeyboardGroupTable(group);
    std::array<int, 256> found{};
    found.fill(-1);
    for (int typed = 128; typed < 256; ++typed) {
        const std::uint8_t game = table[static_cast<std::size_t>(typed)];
        if (game >= 128 && typed != TypedSubstitute)
            found[game] = typed;
    }
    for (std::size_t game = 128; game < codes.size(); ++game)
        if (codes[game] < 0)
            codes[game] = found[game];
}

} // namespace

std::array<int, 256> WesternGlyphCodes() {
    std::array<int, 256> codes{};
    codes.fill(-1);
    for (std::size_t code = 0; code < 128; ++code)
        codes[code] = static_cast<int>(code);
    fillFromGroup(codes, KeyboardGroup::West);
    // The Scandinavian letters that the Western group only approximates have codes of their own.
    fillFromGroup(codes, KeyboardGroup::SweNor);
    return codes;
}

int CodePageForCharset(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
    case 210: // the selector's Vietnamese entry
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 236: // the selector's Polish/Romanian entry: their letters are Central European
    case 238:
        return 1250;
    case 255:
        // The OEM set. Code page 850 draws more of the games' Western letters at the games' own
        // codes (ì, Á, ã, õ among them) than 437 does.
        return 850;
    case 214:
        // Armenian: no code page a codec offers holds the Armenian letters, and 1251 would show
        // Cyrillic letters that look meaningful but are not. The Western page at least shows
        // Latin text, digits and marks as they are.
        return 1252;
    case 130:
        // The platform's Korean double-byte set would merge neighbouring codes into one
        // character; the selector offers this number for Nordic letters, which 1252 has.
        return 1252;
    default:
        return 1252;
    }
}

const char* CodecNameForCodePage(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 874:
        return "windows-874";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    default:
        return nullptr;
    }
}

int TypingCodePageForGroup(KeyboardGroup group) {
    switch (group) {
    case KeyboardGroup::SloCze:
        return 1250;
    case KeyboardGroup::Greek:
        return 1253;
    case KeyboardGroup::Hebrew:
        return 1255;
    case KeyboardGroup::RusUkr:
        return 1251;
    case KeyboardGroup::None:
    case KeyboardGroup::West:
    case KeyboardGroup::SweNor:
        return 1252;
    }
    return 1252;
}

} // namespace zyn
