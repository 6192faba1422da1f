#include "windows/frmtable.h"

#include "characters/charactertables.h"
#include "windows/windowplacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace zyn {

namespace {

constexpr int ClientSize = 337;
constexpr int CellLeft = 8;
constexpr int CellStep = 40;
constexpr int CellWidth = 41;
constexpr int RowStep = 64;
constexpr int NumberTop = 8;
constexpr int NumberHeight = 17;
constexpr int GlyphTop = 24;
constexpr int GlyphHeight = 41;
constexpr int Columns = 8;

const QColor CellPaper = Qt::white;
const QColor CellInk = Qt::black;
const QColor HighlightPaper(0, 0, 128);
const QColor HighlightInk = Qt::white;
// Long enough to be seen, short enough not to be in the way of the next double-click.
constexpr int HighlightMilliseconds = 150;

// The legend under the scroll bar: its caption spaces the two ranges apart with blanks, which
// no font makes exactly as wide as the bar, so the first range is drawn at the left end and the
// last at the right end.
class LegendLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            return;
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, words.front());
        if (words.size() > 1)
            painter.drawText(rect(), Qt::AlignRight | Qt::AlignVCenter, words.back());
    }
};

// The games' font is made for cells of this size; a stand-in font, taller for its size, is made
// smaller until every character with the parts below its baseline fits in a cell ("_" among them).
QFont fittedToCell(QFont font, const DisplayCodec& codec) {
    if (codec.gameFont())
        return font;
    // Inside the cell's border.
    const qreal room = GlyphHeight - 2;
    const qreal roomAcross = CellWidth - 2;
    for (int step = 0; step < 40; ++step) {
        const QFontMetricsF metrics(font);
        qreal widest = 0;
        for (int code = 0; code < 256; ++code) {
            const QString c(codec.charFor(static_cast<std::uint8_t>(code)));
            widest =
                std::max({widest, metrics.horizontalAdvance(c), metrics.boundingRect(c).width()});
        }
        const qreal scale = std::min(room / metrics.height(), roomAcross / widest);
        if (scale >= 1)
            break;
        // Sizes do not scale glyphs exactly: shrink, then measure again.
        const qreal by = std::min(scale, 0.98);
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * by)));
        else
            font.setPointSizeF(font.pointSizeF() * by);
    }
    return font;
}

} // namespace

// A dialog window, so that the window manager keeps it above its owner.
frmTable::frmTable(QWidget& owner, const CharacterTables& tables, const DisplayCodec& codec,
                   const QFont& glyphFont)
    : QWidget(&owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      owner_(owner), tables_(tables), codec_(codec), glyphFont_(fittedToCell(glyphFont, codec)) {
    setObjectName(QStringLiteral("frmTable"));
    setWindowTitle(QStringLiteral("ZYN Font Character Map"));
    setFixedSize(ClientSize, ClientSize);

    for (int i = 0; i < CellCount; ++i) {
        const int left = CellLeft + CellStep * (i % Columns);
        const int row = i / Columns;

        auto* number = new QLabel(this);
        number->setObjectName(QStringLiteral("Label2_%1").arg(i));
        number->setGeometry(left, NumberTop + RowStep * row, CellWidth, NumberHeight);
        number->setAlignment(Qt::AlignCenter);
        number->setFrameShape(QFrame::Box);
        number->setBackgroundRole(QPalette::Button);
        number->setAutoFillBackground(true);
        label2_[static_cast<std::size_t>(i)] = number;

        auto* glyph = new QLabel(this);
        glyph->setObjectName(QStringLiteral("Label1_%1").arg(i));
        glyph->setGeometry(left, GlyphTop + RowStep * row, CellWidth, GlyphHeight);
        glyph->setAlignment(Qt::AlignCenter);
        glyph->setTextFormat(Qt::PlainText);
        glyph->setFont(glyphFont_);
        glyph->setFrameShape(QFrame::Box);
        glyph->setAutoFillBackground(true);
        glyph->installEventFilter(this);
        label1_[static_cast<std::size_t>(i)] = glyph;
    }

    label3_ = new LegendLabel(
        QStringLiteral("0-31") + QString(81, QLatin1Char(' ')) + QStringLiteral("224-255"), this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setGeometry(24, 272, 305, 17);

    hscroll1_ = new QScrollBar(Qt::Horizontal, this);
    hscroll1_->setObjectName(QStringLiteral("HScroll1"));
    hscroll1_->setGeometry(8, 288, 321, 17);
    hscroll1_->setRange(0, LastPageStart);
    // An arrow moves one row, a click beside the thumb one page; dragging reaches every code.
    hscroll1_->setSingleStep(Columns);
    hscroll1_->setPageStep(CellCount);
    // Tracking is on, so the cells follow the thumb while it is dragged.
    connect(hscroll1_, &QScrollBar::valueChanged, this, &frmTable::HScroll1_Change);

    label4_ = new QLabel(this);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setGeometry(24, 312, 289, 17);
    label4_->setAlignment(Qt::AlignCenter);
    QFont bold = label4_->font();
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    label4_->setFont(bold);

    // Beside its owner, leaving it and the main window in view where the screen has room. The
    // map has no frame yet; the owner's tells how large it will be.
    if (const QScreen* screen = owner.screen()) {
        const QSize frame = owner.frameGeometry().size() - owner.size();
        std::vector<QRect> others;
        if (const QWidget* main = owner.parentWidget())
            others.push_back(main->window()->frameGeometry());
        move(PlaceBeside(screen->availableGeometry(), owner.frameGeometry(), size() + frame,
                         size() + frame, others)
                 .topLeft());
    }

    Form_Load();
}

void frmTable::Form_Load() {
    pageStart_ = 0;
    setRangeText();
    for (int i = 0; i < CellCount; ++i) {
        paintCell(i, false);
        fillCell(i, i);
    }
}

void frmTable::fillCell(int i, int code) {
    const auto k = static_cast<std::uint8_t>(code);
    const auto& slot = tables_.RemapTable[k];
    const std::uint8_t shown = tables_.RemapLoaded && slot ? *slot : k;
    cells_[static_cast<std::size_t>(i)] = shown;
    Label1(i)->setText(QString(codec_.charFor(shown)));
    Label2(i)->setText(QString::number(code));
}

void frmTable::setRangeText() {
    label4_->setText(QStringLiteral("Range of characters displayed: %1 to %2.")
                         .arg(pageStart_)
                         .arg(pageStart_ + CellCount - 1));
}

void frmTable::HScroll1_Change() {
    pageStart_ = hscroll1_->value();
    setRangeText();
    for (int k = pageStart_; k < pageStart_ + CellCount; ++k)
        fillCell(k - pageStart_, k);
}

void frmTable::paintCell(int i, bool highlighted) {
    QLabel* cell = Label1(i);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, highlighted ? HighlightPaper : CellPaper);
    palette.setColor(QPalette::WindowText, highlighted ? HighlightInk : CellInk);
    cell->setPalette(palette);
}

void frmTable::Label1_DblClick(int i) {
    paintCell(i, true);
    emit codeChosen(cellByte(i));
    QTimer::singleShot(HighlightMilliseconds, this, [this, i] { paintCell(i, false); });
}

bool frmTable::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < CellCount; ++i) {
            if (watched == Label1(i)) {
                Label1_DblClick(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmTable::paintEvent(QPaintEvent* event) {
    // The map belongs to a visible owner; hiding from within painting would be unsafe, so it
    // goes as soon as the painting is done.
    if (!owner_.isVisible())
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    QWidget::paintEvent(event);
}

void frmTable::closeEvent(QCloseEvent* event) {
    // Closed by the user it is only hidden: Alt+C brings it back at the page it showed.
    event->accept();
    emit dismissed();
}

} // namespace zyn
