#include "windows/frmdecomp.h"

#include "archive/itemexpansion.h"
#include "windows/pathtext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QWindow>
#include <climits>

namespace zyn {

namespace {

// How long start() waits for the window system to put the window on the screen.
constexpr int ExposeWaitMs = 250;

} // namespace

frmDecomp::frmDecomp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmDecomp"));
    setWindowTitle(QStringLiteral("Decompressing text..."));
    setFixedSize(305, 105);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(8, 8, 289, 65);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setTextFormat(Qt::PlainText);
    label1_->setWordWrap(true);

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(8, 80, 289, 17);
    progressBar1_->setTextVisible(false);
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
}

void frmDecomp::start(const std::string& source) {
    QString text = fromNative(ExpandingLabel(source));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    label1_->setText(text);
    show();
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < ExposeWaitMs);
    repaint();
}

void frmDecomp::setProgress(std::size_t position, std::size_t maximum) {
    // The bar counts in int; larger sizes are scaled down alike.
    std::size_t scale = 1;
    while (maximum / scale > static_cast<std::size_t>(INT_MAX))
        scale *= 2;
    const int max = static_cast<int>(maximum / scale);
    if (progressBar1_->maximum() != max)
        progressBar1_->setMaximum(max);
    const int value = static_cast<int>(position / scale);
    if (position > maximum || value == progressBar1_->value())
        return;
    progressBar1_->setValue(value);
    // The decoder does not return to the event loop until it is done: paint the bar now, but
    // only when its filled part has grown by a pixel.
    const qint64 filled = max > 0 ? qint64(value) * progressBar1_->width() / max : 0;
    if (filled != paintedWidth_) {
        paintedWidth_ = filled;
        progressBar1_->repaint();
    }
}

ProgressFn frmDecomp::progress() {
    return [this](std::size_t position, std::size_t maximum) {
        setProgress(position, maximum);
    };
}

} // namespace zyn
