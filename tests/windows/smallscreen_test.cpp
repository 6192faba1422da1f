// The main window on a laptop's screen of 1024 x 768: what View > Project makes of a window
// that starts small. A program of its own, as the screen is chosen before the application is
// made.

#include "mainwindowfixture.h"
#include "windows/frmproject.h"

#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTest>

namespace zyn::test {
namespace {

class SmallScreenTest : public MainWindowTest {
protected:
    static void SetUpTestSuite() {
        // The offscreen platform reads its screens from a file named on the platform's line.
        static const TempDir folder;
        const std::string screens = folder.write(
            "screens.json", R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1024,
                               "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96,
                               "dpr": 1}]})");
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screens.c_str());
        ensureApplication();
    }
};

// Ctrl+P gives the project table the width its columns need, as far as the screen has room,
// the window wholly on the screen; the size the user then gives the dock comes back when it
// is shown again.
TEST_F(SmallScreenTest, CtrlPGivesTheProjectTableRoomWithinTheScreen) {
    start().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QRect room = window->screen()->availableGeometry();
    ASSERT_EQ(room.size(), QSize(1024, 768));
    const QSize alone = window->size();
    ASSERT_LT(alone.width(), 800);

    auto* dock = window->findChild<QDockWidget*>("dockProject");
    const QTableView& table = *window->projectWindow()->lstBanks();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(dock->isVisible());
    EXPECT_TRUE(window->menuItem("mnuViewProject")->isChecked());
    EXPECT_TRUE(room.contains(window->frameGeometry()));
    // Every column's title in view, or the screen's whole width taken.
    int titles = 0;
    for (int column = 0; column < table.horizontalHeader()->count(); ++column)
        titles += table.horizontalHeader()->sectionSizeHint(column);
    EXPECT_GE(table.viewport()->width(), std::min(titles, room.width() - 60));
    EXPECT_GE(dock->height(), 160);

    // The user makes the window, and so the dock, narrower and lower; hidden and shown again,
    // the dock is so.
    window->resize(window->width() - 100, window->height() - 40);
    QApplication::processEvents();
    const QSize sized = dock->size();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dock->isHidden());
    EXPECT_EQ(window->size(), alone);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dock->size(), sized);
    EXPECT_TRUE(room.contains(window->frameGeometry()));
}

} // namespace
} // namespace zyn::test
