#include "session/documentsession.h"
#include "windows/entrytypes.h"
#include "windows/frmtext.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <algorithm>

namespace zyn {

void frmText::setCaptions(const std::string& label1, const std::string& label2) {
    caption1_ = label1;
    caption2_ = label2;
    refreshCaptions();
}

void frmText::refreshCaptions() {
    label1_->setText(session_.codec().toDisplay(caption1_));
    label2_->setText(session_.codec().toDisplay(caption2_));
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

// The entry as it is shown and edited: through the remapping table unless it is in display
// form already.
void frmText::ShowEntry() {
    const TextDocument& doc = session_.document();
    const int i = session_.currentEntry();
    if (i < 0 || i >= doc.entryCount())
        return;
    const std::string text = session_.entryAsShown(i);
    setCaptions(text, text);
    if (doc.IsVersion2) {
        setFrontColor(GetForeColorA(doc.EntryType[static_cast<std::size_t>(i)]));
        SetType(i);
    }
}

void frmText::updateCutMark() {
    const PreviewFit& fit = session_.previewFit();
    const int cut = fit.linesCut(label2_->text());
    cutMark_->setVisible(cut > 0);
    if (cut == 0)
        return;
    const int y = label2_->y() + label2_->contentsRect().top() + fit.cutPosition();
    cutMark_->move(cutMark_->x(), std::min(y, label2_->geometry().bottom()) - 2);
    cutMark_->setToolTip(cut == 1 ? QStringLiteral("1 line cut off")
                                  : QStringLiteral("%1 lines cut off").arg(cut));
    cutMark_->raise();
}

void frmText::selectEntry(int index) {
    combo2_->setCurrentIndex(index);
    Combo2_Click();
}

void frmText::Combo2_Click() {
    session_.setCurrentEntry(combo2_->currentIndex());
}

void frmText::SetType(int i) {
    const TextDocument& doc = session_.document();
    const EntryTypeInfo* type = nullptr;
    if (doc.IsVersion2 && i >= 0 && i < TextDocument::Capacity)
        type = findEntryType(doc.EntryType[static_cast<std::size_t>(i)]);
    // An unknown type keeps the picture of the entry shown before.
    if (type)
        setBackground(type->picture);
    for (const EntryTypeInfo& item : EntryTypes)
        menuItem(item.menuName)->setChecked(&item == type);
}

void frmText::chooseType(std::uint8_t code) {
    // The checked item again changes nothing.
    if (!menuItem(findEntryType(code)->menuName)->isChecked())
        session_.changeType(session_.currentEntry(), code);
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
    const TextDocument& doc = session_.document();
    if (!doc.hasEntries())
        return;
    const int last = doc.SlotCount - 2;
    int current = session_.currentEntry();
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
    session_.setCharacterSet(combo1_->currentIndex());
    refreshCaptions();
}

void frmText::receiveEditedText(const std::string& text) {
    caption1_ = text;
    label1_->setText(session_.codec().toDisplay(caption1_));
    timer1_->start();
}

void frmText::Timer1_Timer() {
    timer1_->stop();
    session_.editText(session_.currentEntry(), caption1_);
}

} // namespace zyn
