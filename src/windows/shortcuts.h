#pragma once

// The keys of the program as Help > Keyboard Shortcuts lists them and tool tips name them. The
// list is read from a window's actions when it is asked for, so that a command given a key
// shows there without more; a small table adds the keys that windows handle themselves (the
// string editor's, the entry list's, the item dialog's).

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

class QAction;
class QWidget;

namespace zyn {

struct Shortcut {
    QString keys;    // "Ctrl+S", "F3, Shift+F3"
    QString command; // "Save"
    QString where;   // "File", "String editor"
};

// Keys as the platform writes them, several joined by ", ".
QString KeysText(const QList<QKeySequence>& keys);

// The menu bar's actions with keys in menu order ("Edit > Find..."), then the window's other
// actions with keys (its own and those of the windows inside it), then the keys windows handle
// themselves.
std::vector<Shortcut> ShortcutsOf(const QWidget& window);

// Every action of window, and each one added to it later, shows its keys in its tool tip
// ("Save (Ctrl+S)"), also after its text, tool tip or keys change.
void ShowKeysInToolTips(QWidget& window);

// The property by which an action says where its keys work when that is not the window that
// holds it ("String editor" for an action the main window gives to each editor it makes).
inline constexpr const char* ShortcutWhereProperty = "zynShortcutWhere";

// A tool tip naming keys: "Back (PgUp)".
QString ToolTipWithKeys(const QString& tip, const QList<QKeySequence>& keys);

} // namespace zyn
