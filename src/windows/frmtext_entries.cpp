#include "characters/remapping.h"
#include "flows/entryedit.h"
#include "flows/programstate.h"
#include "windows/entrytypes.h"
#include "windows/frmtext.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace zyn {

void frmText::setCaptions(const std::string& label1, const std::string& label2) {
    caption1_ = label1;
    caption2_ = label2;
    refreshCaptions();
}

void frmText::refreshCaptions() {
    label1_->setText(codec_.toDisplay(caption1_));
    label2_->setText(codec_.toDisplay(caption2_));
    updateCutMark();
}

void frmText::setFrontColor(std::uint32_t color) {
    frontColor_ = color;
    QPalette palette = label2_->palette();
    palette.setColor(QPalette::WindowText, colorFromValue(color));
    label2_->setPalette(palette);
}

void frmText::setBackground(int picture) {
    picture_ = picture;
    image1_->setPixmap(QPixmap(picturePath(picture)));
}

void frmText::ShowEntry() {
    showEntry(state_.Document.CurrentEntry, false);
}

void frmText::showEntry(int i, bool throughTable) {
    if (i < 0 || i >= state_.Document.entryCount())
        return;
    const std::string text = throughTable ? shownText(i) : state_.Document.EntryText[i];
    setCaptions(text, text);
    if (state_.Document.IsVersion2) {
        setFrontColor(GetForeColorA(state_.Document.EntryType[i]));
        SetType(i);
    }
    emit currentEntryChanged(i);
}

std::string frmText::shownText(int i) const {
    if (i < 0 || i >= state_.Document.entryCount())
        return {};
    return ShownText(state_.Document, state_.Characters, i);
}

const std::string& frmText::openedText(int i) const {
    static const std::string none;
    return i >= 0 && i < static_cast<int>(opened_.size()) ? opened_[static_cast<std::size_t>(i)]
                                                          : none;
}

namespace {

// How the preview's front layer lays out lines: the height of one line and the distance from one
// line to the next. Both are taken from the layout the label paints with, not from the font's
// rounded line spacing, which can be a pixel short per line and put the cut ten lines too high.
struct LinePitch {
    int first = 1;
    int next = 1;
};

LinePitch pitchOf(const QLabel& layer) {
    const QFontMetrics metrics(layer.font());
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const int one =
        metrics.boundingRect(QRect(0, 0, 1 << 16, 1 << 16), flags, QStringLiteral("X")).height();
    const int two =
        metrics.boundingRect(QRect(0, 0, 1 << 16, 1 << 16), flags, QStringLiteral("X\nX")).height();
    return {std::max(1, one), std::max(1, two - one)};
}

// Lines of text the preview's front layer cannot show, and how many whole lines it shows; with
// the font and the word wrap of the layer, as the label itself lays the text out. A line whose
// box misses one pixel row at its foot still counts as shown: the box is rounded up, and that
// row is empty.
std::pair<int, int> fitOf(const QLabel& layer, const QString& text) {
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics(layer.font());
    const QRect area = layer.contentsRect();
    const QRect needed = metrics.boundingRect(
        QRect(0, 0, area.width(), 1 << 24), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    const LinePitch pitch = pitchOf(layer);
    const int shown =
        area.height() + 1 < pitch.first ? 0 : 1 + (area.height() + 1 - pitch.first) / pitch.next;
    const int total =
        1 + (std::max(0, needed.height() - pitch.first) + pitch.next / 2) / pitch.next;
    return {std::max(0, total - shown), shown};
}

} // namespace

QString linesCutOffText(int lines) {
    return lines == 1 ? QStringLiteral("1 line cut off")
                      : QStringLiteral("%1 lines cut off").arg(lines);
}

int frmText::linesCutOff(int i) const {
    return fitOf(*label2_, codec_.toDisplay(shownText(i))).first;
}

void frmText::updateCutMark() {
    const auto [cut, shown] = fitOf(*label2_, label2_->text());
    cutMark_->setVisible(cut > 0);
    if (cut == 0)
        return;
    const LinePitch pitch = pitchOf(*label2_);
    const int below = shown == 0 ? 0 : pitch.first + (shown - 1) * pitch.next;
    const int y = label2_->y() + label2_->contentsRect().top() + below;
    cutMark_->move(cutMark_->x(), std::min(y, label2_->geometry().bottom()) - 2);
    cutMark_->setToolTip(linesCutOffText(cut));
    cutMark_->raise();
}

void frmText::selectEntry(int index) {
    combo2_->setCurrentIndex(index);
    Combo2_Click();
}

void frmText::Combo2_Click() {
    const int index = combo2_->currentIndex();
    if (index < 0 || index >= state_.Document.entryCount())
        return;
    state_.Document.CurrentEntry = static_cast<std::int16_t>(index);
    showEntry(index, true);
}

void frmText::SetType(int i) {
    const EntryTypeInfo* type = nullptr;
    if (state_.Document.IsVersion2 && i >= 0 && i < TextDocument::Capacity)
        type = findEntryType(state_.Document.EntryType[i]);
    // An unknown type keeps the picture of the entry shown before.
    if (type)
        setBackground(type->picture);
    for (const EntryTypeInfo& item : EntryTypes)
        menuItem(item.menuName)->setChecked(&item == type);
}

void frmText::chooseType(std::uint8_t code) {
    const EntryTypeInfo* type = findEntryType(code);
    QAction* item = menuItem(type->menuName);
    if (item->isChecked() || !state_.Document.IsVersion2 || !state_.Document.hasEntries())
        return;
    const int i = state_.Document.CurrentEntry;
    applyEdit(QStringLiteral("Type"),
              [i, code](TextDocument& doc) { doc.EntryType[static_cast<std::size_t>(i)] = code; });
}

void frmText::mnuTypeNormal_Click() {
    chooseType(1);
}
void frmText::mnuTypeBigFrame_Click() {
    chooseType(3);
}
void frmText::mnuTypeNoBig_Click() {
    chooseType(5);
}
void frmText::mnuTypeNoFrame_Click() {
    chooseType(9);
}
void frmText::mnuTypeHolomap_Click() {
    chooseType(17);
}
void frmText::mnuTypeRadio_Click() {
    chooseType(33);
}
void frmText::mnuTypeRadioBig_Click() {
    chooseType(35);
}
void frmText::mnuTypeInventory_Click() {
    chooseType(65);
}
void frmText::mnuTypeDemo_Click() {
    chooseType(129);
}

void frmText::Toolbar1_ButtonClick(int index) {
    // Open, Save, Save As, About and Exit are the menu items' actions; see buildButtonBar.
    switch (index) {
    case 12:
        editEntry();
        return;
    case 6:
    case 7:
    case 9:
    case 10:
        break;
    default:
        return;
    }

    // Without entries there is no last entry to go to.
    if (!state_.Document.hasEntries())
        return;
    const int last = state_.Document.SlotCount - 2;
    int current = state_.Document.CurrentEntry;
    if (index == 6 && current > 0)
        --current;
    else if (index == 7 && current < last)
        ++current;
    else if (index == 9)
        current = 0;
    else if (index == 10)
        current = last;
    selectEntry(current);
}

void frmText::Combo1_Click() {
    const int index = combo1_->currentIndex();
    if (index < 0 || index >= static_cast<int>(CharacterSets.size()))
        return;
    codec_ = DisplayCodec(CharacterSets[static_cast<std::size_t>(index)], gameFont_);
    state_.Characters.ShownCharacterSet = &codec_.characterSet();
    refreshCaptions();
}

void frmText::commitEditedText(const std::string& text) {
    caption1_ = text;
    label1_->setText(codec_.toDisplay(caption1_));
    timer1_->start();
}

void frmText::Timer1_Timer() {
    timer1_->stop();
    const int i = state_.Document.CurrentEntry;
    if (i < 0 || i >= state_.Document.entryCount())
        return;
    applyEdit(QStringLiteral("Edit"), [this, i](TextDocument& doc) {
        CommitEditedText(doc, state_.Characters, i, caption1_);
    });
}

} // namespace zyn
