// Undo and redo of every change to the document, the keys of the main window, and find and
// replace over the entries.

#include "characters/remapping.h"
#include "document/textsearch.h"
#include "flows/programstate.h"
#include "windows/entrytypes.h"
#include "windows/frmfind.h"
#include "windows/frmtext.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <memory>
#include <vector>

namespace zyn {

namespace {

// What an edit can change in one slot.
struct SlotContent {
    std::string text;
    std::uint8_t type = 0;
    bool displayForm = false;

    bool operator==(const SlotContent&) const = default;
};

SlotContent slotOf(const TextDocument& doc, std::size_t i) {
    return {doc.EntryText[i], doc.EntryType[i], doc.DisplayForm[i]};
}

// One edit as the slots and the version it changed, before and after; only the changed slots
// are kept, so a long history of small edits stays small.
class DocumentEdit : public QUndoCommand {
public:
    struct Change {
        std::size_t slot;
        SlotContent before;
        SlotContent after;
    };

    DocumentEdit(frmText& window, const QString& name, std::vector<Change> changes,
                 bool version2Before, bool version2After)
        : QUndoCommand(name), window_(window), changes_(std::move(changes)),
          version2Before_(version2Before), version2After_(version2After) {}

    void undo() override { restore(false); }
    void redo() override { restore(true); }

private:
    void restore(bool after) {
        TextDocument& doc = window_.state().Document;
        for (const Change& change : changes_) {
            const SlotContent& content = after ? change.after : change.before;
            doc.EntryText[change.slot] = content.text;
            doc.EntryType[change.slot] = content.type;
            doc.DisplayForm[change.slot] = content.displayForm;
        }
        doc.IsVersion2 = after ? version2After_ : version2Before_;
        const int current = doc.CurrentEntry;
        int shown = -1;
        for (const Change& change : changes_) {
            if (static_cast<int>(change.slot) == current) {
                shown = -1;
                break;
            }
            if (shown < 0 && static_cast<int>(change.slot) < doc.entryCount())
                shown = static_cast<int>(change.slot);
        }
        window_.showEdited(shown);
    }

    frmText& window_;
    std::vector<Change> changes_;
    bool version2Before_;
    bool version2After_;
};

} // namespace

bool frmText::applyEdit(const QString& name, const std::function<void(TextDocument&)>& change) {
    TextDocument& doc = state_.Document;
    const auto texts = doc.EntryText;
    const auto types = doc.EntryType;
    const auto forms = doc.DisplayForm;
    const bool version2 = doc.IsVersion2;
    change(doc);

    std::vector<DocumentEdit::Change> changes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SlotContent before{texts[i], types[i], forms[i]};
        SlotContent after = slotOf(doc, i);
        if (!(before == after))
            changes.push_back({i, before, std::move(after)});
    }
    if (changes.empty() && version2 == doc.IsVersion2)
        return false;
    // Pushing runs the step's redo, which shows the result.
    undoStack_->push(new DocumentEdit(*this, name, std::move(changes), version2, doc.IsVersion2));
    return true;
}

void frmText::showEdited(int entry) {
    if (entry >= 0 && entry < state_.Document.entryCount()) {
        combo2_->setCurrentIndex(entry);
        state_.Document.CurrentEntry = static_cast<std::int16_t>(entry);
    }
    refreshDocumentView();
    emit documentChanged();
}

void frmText::refreshDocumentView() {
    const TextDocument& doc = state_.Document;
    const bool entries = doc.hasEntries();
    setTypeMenuEnabled(doc.IsVersion2 && entries);
    // The conversion is offered while the document is in the version it was opened in; after a
    // conversion (until it is undone) the item shows its designed caption, disabled.
    QAction* convert = menuItem("mnuFileConvertFile");
    const bool convertible = doc.IsVersion2 == loadedVersion2_;
    convert->setEnabled(convertible);
    convert->setText(!convertible     ? ConvertCaption
                     : doc.IsVersion2 ? QStringLiteral("&Convert file from ZYN 2 to ZYN 1 format")
                                      : QStringLiteral("&Convert file from ZYN 1 to ZYN 2 format"));
    if (!entries)
        return;
    if (!doc.IsVersion2) {
        setBackground(Zyn1Picture);
        setFrontColor(DefaultFrontColor);
        SetType(doc.CurrentEntry);
    }
    showEntry(doc.CurrentEntry, true);
}

void frmText::syncModified() {
    const bool saved = undoStack_->isClean();
    state_.Document.Modified = !saved;
    setSaveEnabled(!saved);
}

void frmText::documentSaved() {
    undoStack_->setClean();
    syncModified();
}

void frmText::buildEditMenu(QMenu* edit) {
    undoStack_ = new QUndoStack(this);
    connect(undoStack_, &QUndoStack::indexChanged, this, &frmText::syncModified);
    connect(undoStack_, &QUndoStack::cleanChanged, this, &frmText::syncModified);

    auto name = [](QAction* action, const char* objectName, const QList<QKeySequence>& keys) {
        action->setObjectName(QString::fromLatin1(objectName));
        action->setShortcuts(keys);
        return action;
    };
    edit->addAction(name(undoStack_->createUndoAction(edit, QStringLiteral("&Undo")), "mnuEditUndo",
                         {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    edit->addAction(
        name(undoStack_->createRedoAction(edit, QStringLiteral("&Redo")), "mnuEditRedo",
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep1"));
    name(addItem(edit, "mnuEditFind", "&Find...", &frmText::mnuEditFind_Click), "mnuEditFind",
         {QKeySequence(Qt::CTRL | Qt::Key_F)});
    name(addItem(edit, "mnuEditFindNext", "Find &Next", &frmText::mnuEditFindNext_Click),
         "mnuEditFindNext", {QKeySequence(Qt::Key_F3)});
    name(
        addItem(edit, "mnuEditFindPrevious", "Find Pre&vious", &frmText::mnuEditFindPrevious_Click),
        "mnuEditFindPrevious", {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    name(addItem(edit, "mnuEditReplace", "Re&place...", &frmText::mnuEditReplace_Click),
         "mnuEditReplace", {QKeySequence(Qt::CTRL | Qt::Key_H)});
}

void frmText::addKeys() {
    const struct {
        const char* item;
        QKeySequence key;
    } menuKeys[] = {
        {"mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& k : menuKeys)
        menuItem(k.item)->setShortcut(k.key);

    // Keys of the window that no menu item shows: the Edit button and the navigation buttons.
    auto addKey = [this](const char* name, const QList<QKeySequence>& keys, int button) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, button] {
            if (barButton(button)->isEnabled())
                Toolbar1_ButtonClick(button);
        });
        addAction(action);
    };
    addKey("keyEdit", {QKeySequence(Qt::Key_F2)}, 12);
    addKey("keyBack", {QKeySequence(Qt::Key_PageUp)}, 6);
    addKey("keyForward", {QKeySequence(Qt::Key_PageDown)}, 7);
    addKey("keyFirst", {QKeySequence(Qt::CTRL | Qt::Key_Home)}, 9);
    addKey("keyLast", {QKeySequence(Qt::CTRL | Qt::Key_End)}, 10);
}

// Enter is a key press rather than a shortcut, so that it reaches the window only when no
// control took it: Enter in the open list of the entry selector picks the entry, no more.
void frmText::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (barButton(12)->isEnabled())
            Toolbar1_ButtonClick(12);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

frmFind* frmText::showFindWindow(bool replace) {
    QPointer<frmFind>& window = replace ? replace_ : find_;
    if (!window)
        window = new frmFind(*this, replace);
    window->open();
    return window;
}

frmFind* frmText::findWindow() const {
    return find_.data();
}

frmFind* frmText::replaceWindow() const {
    return replace_.data();
}

void frmText::mnuEditFind_Click() {
    showFindWindow(false);
}

void frmText::mnuEditReplace_Click() {
    showFindWindow(true);
}

void frmText::mnuEditFindNext_Click() {
    findNext(true);
}

void frmText::mnuEditFindPrevious_Click() {
    findNext(false);
}

void frmText::setSearch(const QString& text, const SearchOptions& options) {
    searchText_ = text;
    searchOptions_ = options;
}

SearchLetters frmText::letterTable() const {
    SearchLetters letters;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const QChar c = codec_.charFor(byte);
        letters.folded[byte] = codec_.byteFor(c.toLower()).value_or(byte);
        letters.wordPart[byte] = c.isLetterOrNumber();
    }
    return letters;
}

// The search text as bytes of the character set; false when it holds a character the set
// cannot show, which no entry can then hold.
bool frmText::searchBytes(std::string& needle) const {
    for (QChar c : searchText_)
        if (c != QLatin1Char('\n') && !codec_.byteFor(c))
            return false;
    needle = codec_.fromDisplay(searchText_);
    return !needle.empty();
}

bool frmText::findNext(bool forward) {
    if (searchText_.isEmpty()) {
        showFindWindow(false);
        return false;
    }
    std::string needle;
    const SearchLetters letters = letterTable();
    const int found =
        !searchBytes(needle) || !state_.Document.hasEntries()
            ? -1
            : NextMatchingEntry(state_.Document.entryCount(), state_.Document.CurrentEntry, forward,
                                [&](int i) {
                                    return FindText(shownText(i), needle, searchOptions_,
                                                    letters) != std::string::npos;
                                });
    if (found < 0) {
        prompts_.notify(this, caption(), QStringLiteral("No entry holds \"%1\".").arg(searchText_),
                        Prompts::Icon::Information);
        return false;
    }
    selectEntry(found);
    return true;
}

void frmText::replaceCurrent(const QString& replacement) {
    std::string needle;
    const int i = state_.Document.CurrentEntry;
    if (searchBytes(needle) && i >= 0 && i < state_.Document.entryCount()) {
        const std::string bytes = codec_.fromDisplay(replacement), shown = shownText(i);
        int count = 0;
        const std::string replaced =
            ReplaceText(shown, needle, bytes, searchOptions_, letterTable(), count);
        if (count > 0 && replaced != shown)
            applyEdit(QStringLiteral("Replace"), [&](TextDocument& doc) {
                doc.EntryText[static_cast<std::size_t>(i)] = replaced;
                doc.DisplayForm[static_cast<std::size_t>(i)] = state_.Characters.RemapLoaded;
            });
    }
    findNext(true);
}

int frmText::replaceAll(const QString& replacement) {
    std::string needle;
    int entries = 0;
    if (searchBytes(needle)) {
        const std::string bytes = codec_.fromDisplay(replacement);
        const SearchLetters letters = letterTable();
        applyEdit(QStringLiteral("Replace All"), [&](TextDocument& doc) {
            for (int i = 0; i < doc.entryCount(); ++i) {
                int count = 0;
                const std::string shown = shownText(i);
                std::string replaced =
                    ReplaceText(shown, needle, bytes, searchOptions_, letters, count);
                // Replacing a text by itself changes nothing, and is not counted.
                if (count == 0 || replaced == shown)
                    continue;
                ++entries;
                doc.EntryText[static_cast<std::size_t>(i)] = std::move(replaced);
                doc.DisplayForm[static_cast<std::size_t>(i)] = state_.Characters.RemapLoaded;
            }
        });
    }
    prompts_.notify(this, caption(),
                    entries == 1 ? QStringLiteral("1 entry changed.")
                                 : QStringLiteral("%1 entries changed.").arg(entries),
                    Prompts::Icon::Information);
    return entries;
}

} // namespace zyn
