#include "windows/shortcuts.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QWidget>

namespace zyn {

namespace {

// The keys windows handle in their own key events, which no action carries. A range gives its
// first and last key.
struct HandledKey {
    QList<QKeySequence> keys;
    const char* command;
    const char* where;
    bool range = false;
};

std::vector<Shortcut> handledKeys() {
    const HandledKey table[] = {
        {{Qt::Key_Return}, "Edit the current entry", "Main window"},
        {{Qt::CTRL | Qt::Key_Return},
         "Keep the text, open the next entry (on the last, the next bank with work)",
         "String editor"},
        {{Qt::CTRL | Qt::SHIFT | Qt::Key_Return},
         "Keep the text, open the entry before",
         "String editor"},
        {{Qt::CTRL | Qt::Key_1, Qt::CTRL | Qt::Key_5},
         "Put suggestion 1 to 5 in place of the text",
         "String editor",
         true},
        {{Qt::Key_Escape},
         "Close without keeping the text (asks when it was changed)",
         "String editor"},
        {{Qt::ALT | Qt::Key_1, Qt::ALT | Qt::Key_9},
         "Put glossary term 1 to 9 in at the cursor",
         "String editor",
         true},
        {{Qt::CTRL | Qt::Key_G}, "Add the selected words to the glossary", "String editor"},
        {{Qt::CTRL | Qt::Key_W}, "Close, keeping the text", "String editor"},
        // The editor's actions, listed while no editor is open to hold them.
        {{Qt::CTRL | Qt::Key_R}, "Mark the text reviewed, or take the mark back", "String editor"},
        {{Qt::CTRL | Qt::Key_N}, "To the entry's note", "String editor"},
        {{Qt::Key_Return}, "A line break", "String editor"},
        {{Qt::Key_Return, Qt::Key_F2}, "Edit the selected entry", "Entries"},
        {{Qt::Key_Home, Qt::Key_End}, "The first or last row shown", "Entries"},
        {{Qt::Key_PageUp, Qt::Key_PageDown}, "A page of rows up or down", "Entries"},
        {{Qt::CTRL | Qt::Key_F}, "To the filter; Enter there back to the rows", "Entries"},
        {{Qt::Key_Return}, "Find or replace", "Find, Replace"},
        {{Qt::Key_Escape}, "Close", "Find, Replace"},
        {{Qt::Key_Return},
         "Load the item chosen, or the first one the filter shows",
         "Open from HQR"},
        {{Qt::Key_Down}, "From the filter into the list", "Open from HQR"},
        {{Qt::Key_Return}, "Open the selected bank", "Project"},
        {{Qt::Key_Return}, "Open the result chosen", "Find in Archive"},
    };
    std::vector<Shortcut> found;
    for (const HandledKey& key : table)
        found.push_back({key.range ? KeysText({key.keys.front()}) + QStringLiteral(" \u2026 ") +
                                         KeysText({key.keys.back()})
                                   : KeysText(key.keys),
                         QString::fromUtf8(key.command), QString::fromUtf8(key.where)});
    return found;
}

// "&Find..." as a person reads it: "Find...".
QString commandOf(const QAction& action) {
    QString text = action.text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.isEmpty() ? action.toolTip() : text;
}

// Qt's own tool tip of an action without one: its text without access keys and "...".
QString plainText(const QAction& action) {
    QString text = commandOf(action);
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text;
}

void addMenu(const QMenu& menu, const QString& where, std::vector<Shortcut>& found,
             QSet<const QAction*>& seen) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            addMenu(*action->menu(), where + QStringLiteral(" > ") + commandOf(*action), found,
                    seen);
        } else if (!action->shortcuts().isEmpty() && !seen.contains(action)) {
            found.push_back({KeysText(action->shortcuts()), commandOf(*action), where});
            seen.insert(action);
        }
    }
}

// Properties kept on each action: the tool tip it has of its own (empty: its text), and the one
// with keys last given it.
constexpr const char* OwnTip = "zynOwnToolTip";
constexpr const char* KeyedTip = "zynKeyedToolTip";

void showKeys(QAction* action) {
    const QString shown = action->toolTip();
    if (shown != action->property(KeyedTip).toString())
        // Given by the code since, or the first time: a tip of its own unless it is the text's.
        action->setProperty(OwnTip, shown == plainText(*action) ? QString() : shown);
    const QString own = action->property(OwnTip).toString();
    const QString keyed =
        ToolTipWithKeys(own.isEmpty() ? plainText(*action) : own, action->shortcuts());
    action->setProperty(KeyedTip, keyed);
    if (keyed != shown)
        action->setToolTip(keyed);
}

void keepKeysShown(QAction* action) {
    if (action->property(KeyedTip).isValid())
        return;
    showKeys(action);
    QObject::connect(action, &QAction::changed, action, [action] { showKeys(action); });
}

// Watches for actions added to the window or to anything inside it.
class ToolTipKeeper final : public QObject {
public:
    explicit ToolTipKeeper(QWidget& window) : QObject(&window), window_(window) {
        qApp->installEventFilter(this);
    }
    ~ToolTipKeeper() override {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActionAdded && inWindow(watched))
            keepKeysShown(static_cast<QActionEvent*>(event)->action());
        return false;
    }

private:
    bool inWindow(const QObject* object) const {
        for (; object; object = object->parent())
            if (object == &window_)
                return true;
        return false;
    }
    QWidget& window_;
};

} // namespace

QString KeysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys)
        texts << key.toString(QKeySequence::NativeText);
    // Every window takes either Enter key: the one that says so on most keyboards.
    return texts.join(QStringLiteral(", "))
        .replace(QStringLiteral("Return"), QStringLiteral("Enter"));
}

QString ToolTipWithKeys(const QString& tip, const QList<QKeySequence>& keys) {
    return keys.isEmpty() ? tip : tip + QStringLiteral(" (") + KeysText(keys) + ')';
}

std::vector<Shortcut> ShortcutsOf(const QWidget& window) {
    std::vector<Shortcut> found;
    QSet<const QAction*> seen;
    if (const auto* bar = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly))
        for (QAction* top : bar->actions()) {
            if (top->menu())
                addMenu(*top->menu(), commandOf(*top), found, seen);
            else if (!top->shortcuts().isEmpty() && seen.insert(top) != seen.end())
                found.push_back({KeysText(top->shortcuts()), commandOf(*top), QString()});
        }
    const QString own = QStringLiteral("Main window");
    for (const QAction* action : window.findChildren<QAction*>())
        if (!action->shortcuts().isEmpty() && !seen.contains(action)) {
            seen.insert(action);
            // An action of a window inside this one (a dock, the entry list) says whose it is.
            const auto* owner = qobject_cast<const QWidget*>(action->parent());
            const QWidget* inside = owner ? owner->window() : nullptr;
            const QString named = action->property(ShortcutWhereProperty).toString();
            found.push_back({KeysText(action->shortcuts()), commandOf(*action),
                             !named.isEmpty()              ? named
                             : inside && inside != &window ? inside->windowTitle()
                                                           : own});
        }
    const std::vector<Shortcut> handled = handledKeys();
    found.insert(found.end(), handled.begin(), handled.end());
    return found;
}

void ShowKeysInToolTips(QWidget& window) {
    for (QAction* action : window.findChildren<QAction*>())
        keepKeysShown(action);
    new ToolTipKeeper(window);
}

} // namespace zyn
