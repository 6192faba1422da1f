// Character remapping, substitutions, keyboard groups, ordinal files and the string editor: the
// handlers the main window's menus and Edit button are wired to.

#include "document/ordinals.h"
#include "session/documentsession.h"
#include "windows/frmeditor.h"
#include "windows/frmsubstitutions.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <utility>

namespace zyn {

namespace {

const QString RemappingFilter =
    QStringLiteral("Character remapping files (*.cmp)|*.cmp|Character set remapping files "
                   "(*.set)|*.set|All files (*.*)|*.*");

const QString OrdinalFilter =
    QStringLiteral("ZYN text ordinal files (*.ord;*.zti;*.dat;*.zdc)|*.ord;*.zti;*.dat;*.zdc|"
                   "All files (*.*)|*.*");

// Every item of the "&KeybGroups" menu, the disabled ones included: choosing a group unchecks
// all the others.
constexpr const char* KeyboardGroupItems[] = {
    "mnuKeybWest",   "mnuKeybSloCze",  "mnuKeybPolRom",  "mnuKeybHunTur",
    "mnuKeybSweNor", "mnuKeybChiBopo", "mnuKeybRusUkr",  "mnuKeybGreek",
    "mnuKeybHeb",    "mnuKeybNone",    "mnuKeybLetters",
};

// The item of each group the session can hold.
constexpr std::pair<KeyboardGroup, const char*> GroupItems[] = {
    {KeyboardGroup::Letters, "mnuKeybLetters"}, {KeyboardGroup::None, "mnuKeybNone"},
    {KeyboardGroup::West, "mnuKeybWest"},       {KeyboardGroup::SloCze, "mnuKeybSloCze"},
    {KeyboardGroup::Greek, "mnuKeybGreek"},     {KeyboardGroup::Hebrew, "mnuKeybHeb"},
    {KeyboardGroup::RusUkr, "mnuKeybRusUkr"},   {KeyboardGroup::SweNor, "mnuKeybSweNor"},
};

} // namespace

void frmText::mnuExtraLoadChr_Click() {
    const QString chosen =
        prompts_.openFileName(this, {QStringLiteral("Load character remapping file"),
                                     RemappingFilter,
                                     QStringLiteral("cmp"),
                                     {},
                                     Prompts::FileKind::Remapping});
    if (chosen.isEmpty())
        return;
    if (const Status loaded = session_.loadRemappingTable(nativePath(chosen)); !loaded) {
        prompts_.notify(this, caption(), fromNative(loaded.message()), Prompts::Icon::Stop);
        return;
    }
    // One table for the rest of the run.
    menuItem("mnuExtraLoadChr")->setEnabled(false);
    menuItem("mnuConvert")->setEnabled(true);
}

void frmText::mnuConvert_Click() {
    // The entries take their display form; the preview stays as it is.
    session_.remapEntries();
}

void frmText::mnuExtraOrdinal_Click() {
    const QString chosen =
        prompts_.openFileName(this, {QStringLiteral("Load ZYN text ordinal file"),
                                     OrdinalFilter,
                                     QStringLiteral("ord"),
                                     {},
                                     Prompts::FileKind::Ordinal});
    if (chosen.isEmpty())
        return;
    TextDocument& doc = session_.openDocument().Document;
    if (!LoadOrdinalFile(session_.files(), nativePath(chosen), doc.Ordinals)) {
        prompts_.notify(this, caption(),
                        QStringLiteral("The file %1 could not be read as an ordinal file.")
                            .arg(QDir::toNativeSeparators(chosen)),
                        Prompts::Icon::Stop);
        return;
    }

    // The ordinals take the place of the character set names, one line per table slot. Lines
    // 0 to 13 still choose the character set of their position when picked.
    combo1_->clear();
    const int lines = std::min<int>(doc.SlotCount, TextDocument::Capacity);
    for (int i = 0; i < lines; ++i)
        combo1_->addItem(QString::number(doc.Ordinals[static_cast<std::size_t>(i)]));
}

void frmText::mnuExtraSubstitutions_Click() {
    frmSubstitutions dialog(session_, prompts_, this);
    dialog.exec();
}

void frmText::chooseKeyboardGroup(KeyboardGroup group, const char* itemName) {
    for (const char* item : KeyboardGroupItems)
        menuItem(item)->setChecked(std::strcmp(item, itemName) == 0);
    session_.setKeyboardGroup(group);
}

void frmText::mnuKeybLetters_Click() {
    chooseKeyboardGroup(KeyboardGroup::Letters, "mnuKeybLetters");
}

void frmText::showKeyboardGroup() {
    for (const auto& [group, itemName] : GroupItems)
        if (group == session_.keyboardGroup())
            for (const char* item : KeyboardGroupItems)
                menuItem(item)->setChecked(std::strcmp(item, itemName) == 0);
}

void frmText::mnuKeybNone_Click() {
    chooseKeyboardGroup(KeyboardGroup::None, "mnuKeybNone");
}
void frmText::mnuKeybWest_Click() {
    chooseKeyboardGroup(KeyboardGroup::West, "mnuKeybWest");
}
void frmText::mnuKeybSloCze_Click() {
    chooseKeyboardGroup(KeyboardGroup::SloCze, "mnuKeybSloCze");
}
void frmText::mnuKeybGreek_Click() {
    chooseKeyboardGroup(KeyboardGroup::Greek, "mnuKeybGreek");
}
void frmText::mnuKeybHeb_Click() {
    chooseKeyboardGroup(KeyboardGroup::Hebrew, "mnuKeybHeb");
}
void frmText::mnuKeybRusUkr_Click() {
    chooseKeyboardGroup(KeyboardGroup::RusUkr, "mnuKeybRusUkr");
}
void frmText::mnuKeybSweNor_Click() {
    chooseKeyboardGroup(KeyboardGroup::SweNor, "mnuKeybSweNor");
}

frmEditor* frmText::editor() const {
    return editor_.data();
}

void frmText::editEntry() {
    const int i = session_.currentEntry();
    if (i < 0 || i >= session_.entryCount())
        return;
    // One editor at a time; it is made again after it was closed.
    if (!editor_) {
        editor_ = new frmEditor(session_, prompts_, *this);
        connect(editor_, &frmEditor::handedBack, this, &frmText::receiveEditedText);
        connect(editor_, &frmEditor::projectWanted, this, &frmText::mnuFileNewProject_Click);
        addStateKeys(*editor_);
        // The preview shows the text as it is typed, and the entry again when it is not kept.
        connect(editor_, &frmEditor::edited, this,
                [this](const std::string& text) { setCaptions(text, text); });
        connect(editor_, &frmEditor::closed, this, [this] {
            editor_ = nullptr;
            if (!timer1_->isActive())
                ShowEntry();
        });
    }
    editor_->open(i);
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

} // namespace zyn
