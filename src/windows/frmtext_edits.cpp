// The Edit menu over the session's undo stack, the keys of the main window, and find and
// replace over the entries.

#include "session/documentsession.h"
#include "windows/frmfind.h"
#include "windows/frmtext.h"
#include "windows/shortcuts.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoStack>

namespace zyn {

void frmText::buildEditMenu(QMenu* edit) {
    QUndoStack* undoStack = session_.undoStack();

    auto name = [](QAction* action, const char* objectName, const QList<QKeySequence>& keys) {
        action->setObjectName(QString::fromLatin1(objectName));
        action->setShortcuts(keys);
        return action;
    };
    edit->addAction(name(undoStack->createUndoAction(edit, QStringLiteral("&Undo")), "mnuEditUndo",
                         {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    edit->addAction(
        name(undoStack->createRedoAction(edit, QStringLiteral("&Redo")), "mnuEditRedo",
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
        {"mnuFileOpenFromHQR", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& k : menuKeys)
        menuItem(k.item)->setShortcut(k.key);

    // Keys of the window that no menu item shows: the Edit button and the navigation buttons.
    // Named as the button's tool tip says, which names the keys too.
    auto addKey = [this](const char* name, const QList<QKeySequence>& keys, int button) {
        auto* action = new QAction(barButton(button)->toolTip(), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        barButton(button)->setToolTip(ToolTipWithKeys(action->text(), keys));
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
        window = new frmFind(session_, prompts_, replace, this);
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

void frmText::findNext(bool forward) {
    // Without a text, the Find window asks for one.
    if (session_.searchText().isEmpty())
        showFindWindow(false);
    else
        findNextEntry(session_, prompts_, this, forward);
}

} // namespace zyn
