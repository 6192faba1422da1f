#pragma once

// A text layer of the preview: the label's text drawn line by line and letter by letter where
// the fit rule puts it, so that the lines shown are the lines the cut mark, the entry list and
// the tool count. A non-spacing mark is drawn with the letter it sits on.

#include <QLabel>

namespace zyn {

class PreviewFit;

class PreviewText final : public QLabel {
public:
    PreviewText(const PreviewFit& fit, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const PreviewFit& fit_;
};

} // namespace zyn
