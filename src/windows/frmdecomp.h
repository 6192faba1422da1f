#pragma once

// The small window shown while a compressed file is expanded: which file, and how far the
// decoder has got through its data.

#include "base/expanddata.h"

#include <QDialog>
#include <string>

class QLabel;
class QProgressBar;

namespace zyn {

class frmDecomp : public QDialog {
    Q_OBJECT
public:
    explicit frmDecomp(QWidget* parent = nullptr);

    // Shows the window for the file source without blocking and lets it paint once, since the
    // expansion that follows keeps the event loop busy until it ends.
    void start(const std::string& source);

    // Follows the decoder: the bar's maximum is the expanded size, its value the bytes expanded
    // so far. A value beyond the maximum leaves the bar as it was.
    void setProgress(std::size_t position, std::size_t maximum);
    ProgressFn progress();

    QLabel* Label1() const { return label1_; }
    QProgressBar* ProgressBar1() const { return progressBar1_; }

private:
    QLabel* label1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    qint64 paintedWidth_ = 0;
};

} // namespace zyn
