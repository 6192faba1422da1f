#pragma once

// Whether an entry fits the preview: the lines its text takes there, word wrap included, against
// the whole lines the preview shows. Worked out from the preview's font and the size of its text
// area alone, as the preview lays text out, so that the cut mark, the entry list and the string
// editor all judge alike without a window.

#include <QFont>
#include <QSize>
#include <QString>

namespace zyn {

// The text area of the preview: its two text layers are this large.
inline constexpr QSize PreviewTextArea(609, 449);

class PreviewFit {
public:
    PreviewFit(const QFont& font, QSize area);

    // Whole lines the area shows. A line whose box misses one pixel row at its foot still counts
    // as shown: the box is rounded up, and that row is empty.
    int linesShown() const { return shown_; }
    // Lines text takes, wrapped at the area's width; 0 for no text.
    int linesOf(const QString& text) const;
    // Lines of text the area cannot show; 0 when it fits.
    int linesCut(const QString& text) const;
    // From the top of the area to the foot of the last line shown: where a cut is marked.
    int cutPosition() const;

private:
    QFont font_;
    QSize area_;
    // The height of one line and the distance from one line to the next, both from the layout
    // text is painted with, not from the font's rounded line spacing, which can be a pixel short
    // per line and put the cut ten lines too high.
    int first_ = 1;
    int next_ = 1;
    int shown_ = 0;
};

} // namespace zyn
