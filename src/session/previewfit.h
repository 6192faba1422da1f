#pragma once

// Whether an entry fits the preview: the one rule of base/textfit.h over the advance widths of
// the preview's font as Qt gives them. displayFont sets that font to the font's design advances
// (no hinting), so these are the widths the tool reads from the font file and both judge alike.
// The cut mark, the entry list, the string editor's fit line and the preview's painting all go
// through it, so that what is drawn is what is judged.

#include "base/textfit.h"

#include <QFont>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

namespace zyn {

// The text area of the preview: its two text layers are this large.
inline constexpr QSize PreviewTextArea(GameTextBox.width, GameTextBox.height);

// A font's line as Qt gives it, in 64ths of a pixel.
FontLines QtFontLines(const QFont& font);

class PreviewFit {
public:
    PreviewFit(const QFont& font, QSize area);

    int linesShown() const { return fit_.linesShown(); }
    // Lines text takes, wrapped at the area's width; 0 for no text.
    int linesOf(const QString& text) const;
    // Lines of text the area cannot show; 0 when it fits.
    int linesCut(const QString& text) const;
    // From the top of the area to the foot of the last line shown: where a cut is marked.
    int cutPosition() const { return fit_.cutPosition(); }
    // The lines of text as the preview draws them, in characters of text.toStdU32String().
    std::vector<WrappedLine> wrap(const QString& text) const;
    const TextFit& rule() const { return fit_; }

private:
    TextFit fit_;
};

} // namespace zyn
