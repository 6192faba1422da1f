#pragma once

// Whether a text fits the game's text box: the one rule the editor's preview paints by, its fit
// marks judge by, and `zyntext check --fit` and the counts report by. The text is wrapped at the
// box's width over the advance widths of a font and its lines are counted against the whole
// lines the box shows. The font's numbers come from outside (Qt in the editor, the font file in
// the tool); here they are integers in 64ths of a pixel, as font engines give unhinted advances,
// so that the same numbers give the same lines wherever they are added up.
//
// The wrap: a line breaks at a blank (U+0020), the blanks at the break belonging to neither
// line; a word wider than the line is broken where the line ends, so that every letter is drawn
// inside the box; '\n' ends a line (a line of base/textlines.h, read as letters). A mark that sits
// on the letter before it takes no room.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zyn {

// The area of the game's screen that entry texts are drawn in, in pixels.
struct TextBox {
    int width = 0;
    int height = 0;
};
inline constexpr TextBox GameTextBox{609, 449};

// The font the editor shows entries in and judges them by: the games' font when it is installed,
// else the system's sans-serif font, at this size whatever the screen's resolution (the box is
// in the game's pixels), followed by the program's font of control codes for the symbols it
// lacks.
inline constexpr const char* GameFontFamily = "The ZYN Font";
inline constexpr const char* FallbackFontFamily = "sans-serif";
inline constexpr const char* ControlFontFamily = "ZYN Control Codes";
inline constexpr int DisplayFontPixelSize = 38;

// A font's line: above and below the baseline, and the gap to the next line, in 64ths of a pixel.
struct FontLines {
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t leading = 0;
};

// The advance width of a character in 64ths of a pixel.
using AdvanceWidth = std::function<std::int32_t(char32_t)>;

// Unicode's non-spacing marks among the letters the character sets show (accents of the
// Vietnamese set, Hebrew points, Arabic vowels, Thai vowels and tones).
bool IsNonSpacingMark(char32_t c);

// One line of a wrapped text: the characters [begin, end) drawn on it, the blanks at a break
// left out.
struct WrappedLine {
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const WrappedLine&, const WrappedLine&) = default;
};

class TextFit {
public:
    TextFit(FontLines lines, AdvanceWidth advance, TextBox box = GameTextBox);

    TextBox box() const { return box_; }
    const FontLines& fontLines() const { return lines_; }
    // The width a character takes on a line, in 64ths of a pixel.
    std::int32_t advance(char32_t c) const;
    // From the top of one line to the top of the next, in 64ths of a pixel.
    std::int32_t linePitch() const { return lines_.ascent + lines_.descent + lines_.leading; }

    // The lines of text, '\n' between lines; none for an empty text.
    std::vector<WrappedLine> wrap(std::u32string_view text) const;
    int linesOf(std::u32string_view text) const;
    // Whole lines the box shows. A line whose foot misses one pixel row of the box still counts
    // as shown: that row is empty.
    int linesShown() const { return shown_; }
    // Lines of text the box cannot show; 0 when it fits.
    int linesCut(std::u32string_view text) const;
    // From the top of the box to the foot of the last line shown, in whole pixels: where a cut
    // is marked.
    int cutPosition() const;

private:
    FontLines lines_;
    AdvanceWidth advance_;
    TextBox box_;
    int shown_ = 0;
};

} // namespace zyn
