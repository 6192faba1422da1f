#include "controlfont.h"

#include "truetype.h"

#include <array>
#include <map>
#include <stdexcept>
#include <vector>

namespace zyn::art {

namespace {

// Square letters, five rows high: enough for the names of the control codes.
const std::map<char, std::array<const char*, 5>>& letters() {
    static const std::map<char, std::array<const char*, 5>> table = {
        {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
        {'B', {"##.", "#.#", "##.", "#.#", "##."}},
        {'C', {".##", "#..", "#..", "#..", ".##"}},
        {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
        {'E', {"###", "#..", "##.", "#..", "###"}},
        {'F', {"###", "#..", "##.", "#..", "#.."}},
        {'G', {".##", "#..", "#.#", "#.#", ".##"}},
        {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
        {'I', {"###", ".#.", ".#.", ".#.", "###"}},
        {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
        {'L', {"#..", "#..", "#..", "#..", "###"}},
        {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
        {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
        {'O', {"###", "#.#", "#.#", "#.#", "###"}},
        {'Q', {".##.", "#..#", "#..#", "#.#.", ".#.#"}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
        {'S', {".##", "#..", ".#.", "..#", "##."}},
        {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
        {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
        {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
        {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
        {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
        {'1', {".#.", "##.", ".#.", ".#.", "###"}},
        {'2', {"##.", "..#", ".#.", "#..", "###"}},
        {'3', {"##.", "..#", ".#.", "..#", "##."}},
        {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    };
    return table;
}

constexpr std::array<const char*, 32> ControlNames = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

// Font units, 1000 to the em. The box stands on the baseline and is about as high as a
// lower-case letter with an ascender.
constexpr int PixelWidth = 64;
constexpr int PixelHeight = 80;
constexpr int Frame = 35;
constexpr int Padding = 45;
constexpr int SideBearing = 40;
constexpr int Rows = 5;

FontGlyph nameGlyph(char32_t character, const std::string& name) {
    int columns = -1; // letters and the one-pixel gaps between them
    for (const char c : name) {
        const auto found = letters().find(c);
        if (found == letters().end())
            throw std::logic_error("no square letter for a control code's name");
        columns += static_cast<int>(std::string(found->second[0]).size()) + 1;
    }
    const int inside = Frame + Padding;
    const int left = SideBearing, bottom = 0;
    const int right = left + 2 * inside + columns * PixelWidth;
    const int top = bottom + 2 * inside + Rows * PixelHeight;

    FontGlyph glyph;
    glyph.character = character;
    glyph.advance = right + SideBearing;
    glyph.contours.push_back(rectangleContour(left, bottom, right, top, false));
    glyph.contours.push_back(
        rectangleContour(left + Frame, bottom + Frame, right - Frame, top - Frame, true));

    // Each row's runs of pixels as one rectangle.
    int x0 = left + inside;
    for (const char c : name) {
        const auto& rows = letters().at(c);
        const int width = static_cast<int>(std::string(rows[0]).size());
        for (int row = 0; row < Rows; ++row) {
            const int y1 = top - inside - row * PixelHeight;
            const std::string line = rows[static_cast<std::size_t>(row)];
            for (int x = 0; x < width;) {
                if (line[static_cast<std::size_t>(x)] != '#') {
                    ++x;
                    continue;
                }
                int end = x;
                while (end < width && line[static_cast<std::size_t>(end)] == '#')
                    ++end;
                glyph.contours.push_back(rectangleContour(x0 + x * PixelWidth, y1 - PixelHeight,
                                                          x0 + end * PixelWidth, y1, false));
                x = end;
            }
        }
        x0 += (width + 1) * PixelWidth;
    }
    return glyph;
}

} // namespace

std::string drawControlFont() {
    std::vector<FontGlyph> glyphs;
    // Characters the font lacks are left to the fonts beside it: an empty glyph.
    glyphs.push_back({0, 500, {}});
    for (std::size_t code = 0; code < ControlNames.size(); ++code)
        glyphs.push_back(nameGlyph(0x2400 + static_cast<char32_t>(code), ControlNames[code]));
    glyphs.push_back(nameGlyph(0x2421, "DEL"));
    return writeTrueTypeFont({ControlFontFamily, "ZYNControlCodes"}, glyphs);
}

} // namespace zyn::art
