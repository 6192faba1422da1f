// Help > Keyboard Shortcuts and the tool tips that name keys: every key of the main window's
// actions, those given later included, and the keys windows handle themselves.

#include "mainwindowfixture.h"
#include "windows/frmshortcuts.h"
#include "windows/shortcuts.h"

#include <QTableWidget>
#include <set>
#include <tuple>

namespace zyn::test {
namespace {

class ShortcutsTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // The rows the window lists, as (keys, command, where).
    std::set<std::tuple<QString, QString, QString>> listed() {
        window->menuItem("mnuHelpShortcuts")->trigger();
        const QTableWidget& table = *window->findChild<frmShortcuts*>()->tblShortcuts();
        std::set<std::tuple<QString, QString, QString>> rows;
        for (int row = 0; row < table.rowCount(); ++row)
            rows.insert({table.item(row, 0)->text(), table.item(row, 1)->text(),
                         table.item(row, 2)->text()});
        return rows;
    }
    bool listsKeys(const QString& keys, const QString& where) {
        const auto rows = listed();
        return std::any_of(rows.begin(), rows.end(), [&](const auto& row) {
            return std::get<0>(row) == keys && std::get<2>(row) == where;
        });
    }
};

TEST_F(ShortcutsTest, EveryKeyIsListedAlsoOneGivenLater) {
    // A command another window adds later, with a key.
    auto* later = new QAction(QStringLiteral("Mark &reviewed"), window.get());
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    window->addAction(later);
    const auto rows = listed();
    int actions = 0;
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (action->shortcuts().isEmpty())
            continue;
        ++actions;
        const QString keys = KeysText(action->shortcuts());
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                [&](const auto& row) { return std::get<0>(row) == keys; }))
            << keys.toStdString() << " of " << action->objectName().toStdString();
    }
    EXPECT_GE(actions, 15);
    EXPECT_EQ(rows.count({"Ctrl+R", "Mark reviewed", "Main window"}), 1u);
    EXPECT_EQ(rows.count({"Ctrl+S", "Save", "File"}), 1u);
    // The keys the windows handle themselves, and the string editor's for notes before any
    // editor is open.
    const std::pair<const char*, const char*> handled[] = {{"Enter", "String editor"},
                                                           {"Home, End", "Entries"},
                                                           {"Enter", "Open from HQR"},
                                                           {"Enter", "Project"}};
    for (const auto& [keys, where] : handled)
        EXPECT_TRUE(listsKeys(keys, where)) << keys << " in " << where;
    EXPECT_EQ(rows.count({"Ctrl+N", "To the note", "String editor"}), 1u);
}

// A tool tip names its keys, follows a change of text or keys, and so does one of an action
// added later; the bar's own buttons name theirs.
TEST_F(ShortcutsTest, ToolTipsNameTheKeys) {
    EXPECT_EQ(window->menuItem("mnuFileSave")->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(window->barButton(6)->toolTip(), "Back (PgUp)");
    EXPECT_EQ(window->menuItem("mnuEditUndo")->toolTip(), "Undo (Ctrl+Z)");
    open(writeText("a.zyt", 1, {"One"}), false);
    commit("Un");
    EXPECT_NE(window->menuItem("mnuEditUndo")->toolTip(), "Undo (Ctrl+Z)");
    EXPECT_TRUE(window->menuItem("mnuEditUndo")->toolTip().endsWith("(Ctrl+Z)"));

    auto* later = new QAction(QStringLiteral("&Note"), window.get());
    window->addAction(later);
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(later->toolTip(), "Note (Ctrl+N)");
    later->setToolTip(QStringLiteral("Edit the note"));
    EXPECT_EQ(later->toolTip(), "Edit the note (Ctrl+N)");
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    EXPECT_EQ(later->toolTip(), "Edit the note (Ctrl+Shift+N)");
}

} // namespace
} // namespace zyn::test
