#include "base/textfit.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zyn {

namespace {

// First and last of each range, in order.
constexpr std::array<std::pair<char32_t, char32_t>, 24> NonSpacingMarks{{
    {0x0300, 0x036F}, {0x0483, 0x0487}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0E31, 0x0E31},
    {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1ABD}, {0x1DC0, 0x1DFF}, {0x20D0, 0x20DC},
    {0x20E1, 0x20E1}, {0x20E5, 0x20F0}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
}};

constexpr char32_t Blank = U' ';

} // namespace

bool IsNonSpacingMark(char32_t c) {
    const auto after =
        std::upper_bound(NonSpacingMarks.begin(), NonSpacingMarks.end(), c,
                         [](char32_t v, const auto& range) { return v < range.first; });
    return after != NonSpacingMarks.begin() && c <= std::prev(after)->second;
}

TextFit::TextFit(FontLines lines, AdvanceWidth advance, TextBox box)
    : lines_(lines), advance_(std::move(advance)), box_(box) {
    const std::int64_t height = lines_.ascent + lines_.descent;
    const std::int64_t room = (static_cast<std::int64_t>(box_.height) + 1) * 64;
    const std::int64_t pitch = std::max<std::int64_t>(1, linePitch());
    shown_ = height <= 0 || room < height ? 0 : static_cast<int>(1 + (room - height) / pitch);
}

std::int32_t TextFit::advance(char32_t c) const {
    return IsNonSpacingMark(c) ? 0 : advance_(c);
}

std::vector<WrappedLine> TextFit::wrap(std::u32string_view text) const {
    std::vector<WrappedLine> lines;
    if (text.empty())
        return lines;
    const std::int64_t width = static_cast<std::int64_t>(box_.width) * 64;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find(U'\n', start), text.size());
        // One paragraph: as many characters on each line as its width holds. A line's blanks
        // hang past its end; a break at one leaves out the blanks there.
        std::size_t begin = start;
        do {
            std::int64_t x = 0;
            std::size_t breakAt = end; // where the line ends when broken at a blank
            std::size_t i = begin;
            for (; i < end; ++i) {
                const char32_t c = text[i];
                const std::int32_t a = advance(c);
                if (c == Blank) {
                    if (i > begin && text[i - 1] != Blank)
                        breakAt = i;
                    x += a;
                    continue;
                }
                if (x + a > width && i > begin)
                    break;
                x += a;
            }
            if (i == end) {
                lines.push_back({begin, end});
                break;
            }
            if (breakAt != end) {
                lines.push_back({begin, breakAt});
                begin = breakAt;
                while (begin < end && text[begin] == Blank)
                    ++begin;
            } else {
                lines.push_back({begin, i});
                begin = i;
            }
        } while (begin < end);
        if (end == text.size())
            return lines;
        start = end + 1;
    }
}

int TextFit::linesOf(std::u32string_view text) const {
    return static_cast<int>(wrap(text).size());
}

int TextFit::linesCut(std::u32string_view text) const {
    return std::max(0, linesOf(text) - shown_);
}

int TextFit::cutPosition() const {
    if (shown_ == 0)
        return 0;
    const std::int64_t foot =
        lines_.ascent + lines_.descent + static_cast<std::int64_t>(shown_ - 1) * linePitch();
    return static_cast<int>((foot + 63) / 64);
}

} // namespace zyn
