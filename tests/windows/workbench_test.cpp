// The translator's windows, each driven through the session: the entry list, the reference
// document, the cut mark, find in archive and opening a dropped file.

#include "mainwindowfixture.h"
#include "windows/frmcompare.h"
#include "windows/frmeditor.h"
#include "windows/frmfindarchive.h"
#include "windows/windowplacement.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest/QTest>

namespace zyn::test {
namespace {

class WorkbenchTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }
};

// The list shows the rows the session's filter shows and follows the session both ways and
// every change. An entry past the preview's bottom (the session's tests measure word wrap too)
// is marked where it is cut and counts as not fitting until it is cut down.
TEST_F(WorkbenchTest, EntryListFiltersFollowsAndMarksTextPastThePreview) {
    // One line more than the preview shows.
    std::string tooLong = "Line";
    for (int i = 0; i < session.previewFit().linesShown(); ++i)
        tooLong += " @ Line";
    open(writeText("c.zyt", 2, {"The Key", tooLong, "", "KEYHOLE", "Radio"}, {1, 1, 1, 1, 33}),
         true);
    frmEntries& list = entries();
    EXPECT_TRUE(cell(1, EntryModel::Text).startsWith(QString("Line \u00B6 Line")));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("does not fit"));
    EXPECT_EQ(list.lblCounts()->text(),
              QString("4 translated, 0 need review, 0 reviewed, 1 untranslated, 1 does not fit"));
    // The rows are the entries the session's filter shows; filtering never changes the entry the
    // main window shows. With the shown entry filtered out no row is current, so the one left can
    // be chosen.
    list.cboStatus()->setCurrentIndex(1);
    EXPECT_EQ(shown(), "The Key");
    list.lstEntries()->setCurrentIndex(list.lstEntries()->model()->index(0, 0));
    EXPECT_EQ(selectedEntry(), QString("3"));
    list.cboStatus()->setCurrentIndex(0);

    // The mark lies inside the preview, under the last line shown.
    window->selectEntry(1);
    EXPECT_TRUE(window->CutMark()->isVisibleTo(window.get()));
    EXPECT_EQ(window->CutMark()->toolTip(), QString("1 line cut off"));
    const QLabel& label = *window->Label2();
    const int lastLine =
        label.y() + session.previewFit().cutPosition() - QFontMetrics(label.font()).height();
    EXPECT_GT(window->CutMark()->y(), lastLine);
    EXPECT_LT(window->CutMark()->y(), label.geometry().bottom());
    // Cut down to fit, the mark goes; the edit shows in the list at once.
    commit("Short again");
    EXPECT_FALSE(window->CutMark()->isVisibleTo(window.get()));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("changed"));
    EXPECT_EQ(list.lblCounts()->text(),
              QString("4 translated, 0 need review, 0 reviewed, 1 untranslated, 0 do not fit"));

    // The list chooses the entry the main window shows, and the other way round.
    list.lstEntries()->setCurrentIndex(list.lstEntries()->model()->index(4, 0));
    EXPECT_EQ(selectedEntry(), QString("5"));
    window->Toolbar1_ButtonClick(9);
    EXPECT_EQ(list.currentEntry(), 0);
    window->mnuTypeDemo_Click();
    EXPECT_EQ(cell(0, EntryModel::Type), QString("129: Demo Text"));

    // A dropped file opens as File Open opens it; Cancel at the save question keeps the edits.
    const std::string dropped = writeText("dropped.zyt", 2, {"Dropped"});
    auto drop = [&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &event);
    };
    prompts.answer(Answer::Cancel);
    drop();
    EXPECT_EQ(shown(), "The Key");
    prompts.answer(Answer::No).answer(Answer::Yes);
    drop();
    EXPECT_EQ(shown(), "Dropped");
    EXPECT_EQ(list.lstEntries()->model()->rowCount(), 1) << "the list follows";

    // Closing the main window closes the list.
    window->close();
    EXPECT_FALSE(list.isVisible());
}

// The list keeps its keys: Home, End and the page keys move among the rows it shows, also with
// Ctrl, which moves the main window's entry elsewhere; Enter and F2 edit the selected row, never
// an entry the filter hides (coming to the rows takes the first shown); after the edit the keys
// are the list's again; Ctrl+F goes to the filter.
TEST_F(WorkbenchTest, TheListKeepsItsKeysAndEditsOnlyRowsItShows) {
    window->show();
    open(writeText("keys.zyt", 2, {"one", "two", "three", "four"}), true);
    frmEntries& list = entries();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list.window()));
    list.txtFilter()->setText("e");
    QWidget* rowsView = list.lstEntries();
    const std::pair<QKeyCombination, int> moves[] = {{Qt::CTRL | Qt::Key_End, 2},
                                                     {Qt::CTRL | Qt::Key_Home, 0},
                                                     {Qt::Key_End, 2},
                                                     {Qt::Key_Home, 0},
                                                     {QKeyCombination(Qt::Key_PageDown), 2}};
    for (const auto& [key, entry] : moves) {
        QTest::keyClick(rowsView, key.key(), key.keyboardModifiers());
        EXPECT_EQ(session.currentEntry(), entry) << key.toCombined();
    }
    QTest::keyClick(rowsView, Qt::Key_F2);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(window->editor()->entry(), 2);
    QTest::keyClick(window->editor()->Text1(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == rowsView; }));
    window->selectEntry(3);
    QTest::keyClick(rowsView, Qt::Key_Return);
    EXPECT_EQ(window->editor(), nullptr) << "no row is selected";
    QTest::keyClick(rowsView, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), list.txtFilter());
    EXPECT_EQ(window->findWindow(), nullptr);
    // Back in the rows, the first one shown is the one Enter edits.
    QTest::keyClick(list.txtFilter(), Qt::Key_Return);
    QTest::keyClick(rowsView, Qt::Key_Return);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(window->editor()->entry(), 0);
}

// The README's recipe, Ctrl+L, Ctrl+F, Tab, Down (the untranslated entries), Enter, edits the
// first untranslated entry also when the entry shown is a translated one, which the status hides.
TEST_F(WorkbenchTest, AStatusChosenAndEnterEditTheFirstRowShown) {
    window->show();
    open(writeText("recipe.zyt", 2, {"done", "", "also done", ""}), true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    frmEntries& list = *window->entriesWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.hasKeys(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list.cboStatus());
    QTest::keyClick(list.cboStatus(), Qt::Key_Down);
    QTest::keyClick(list.cboStatus(), Qt::Key_Return);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(window->editor()->entry(), 1);
}

// The string editor beside a main window never covers it: narrowed to the room on the side the
// entry list leaves free; on a small screen, below it.
TEST(PlaceBeside, LeavesTheMainWindowAndTheListInView) {
    const QSize editor(507, 528), least(282, 230);
    const QRect main(479, 0, 642, 542), list(0, 0, 478, 525);
    const long long twentieth = 642 * 542 / 20;
    const auto covered = [](const QRect& a, const QRect& b) {
        const QRect both = a.intersected(b);
        return static_cast<long long>(both.width()) * both.height();
    };
    const QRect big(0, 0, 1600, 1000);
    const QRect placed = PlaceBeside(big, main, editor, least, {list});
    EXPECT_TRUE(big.contains(placed));
    EXPECT_EQ(placed, QRect(1121, 0, 479, 528));
    EXPECT_EQ(covered(placed, main), 0);
    EXPECT_EQ(covered(placed, list), 0);
    EXPECT_EQ(PlaceBeside(big, main, editor, least, {list.translated(1122, 0)}).left(), 0);
    const QRect small(0, 0, 1024, 768), smallMain = main.translated(-288, 0);
    const QRect below = PlaceBeside(small, smallMain, editor, least);
    EXPECT_TRUE(small.contains(below));
    EXPECT_GT(below.top(), smallMain.center().y());
    EXPECT_LE(covered(below, smallMain), twentieth);
}

// The reference is the same bank in another language or a chosen file, and the list filters
// over it too; find in archive folds case as Find does, lists every dialogue item's lines and
// opens a result.
TEST_F(WorkbenchTest, ReferenceAndFindInArchive) {
    const std::string path = writeArchive();
    openItem(path, 37);
    ASSERT_EQ(shown(), "Bonjour");
    window->mnuViewCompare_Click();
    frmCompare& dialog = *window->findChild<frmCompare*>();
    // Every dialogue item is offered; the same bank in English is chosen, whose text shows.
    EXPECT_EQ(dialog.lstSources()->count(), 90);
    dialog.cmdCompare_Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(cell(0, EntryModel::Reference), QString("Hello"));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("untranslated"));

    // The string editor shows the reference above its box.
    window->editEntry();
    frmEditor* editor = window->editor();
    EXPECT_EQ(editor->txtReference()->toPlainText(), QString("Hello"));
    EXPECT_GE(editor->Text1()->y(), editor->txtReference()->geometry().bottom());
    editor->close();

    // Any other item (a row for each odd item), then a loose file.
    window->mnuViewCompare_Click();
    dialog.lstSources()->setCurrentRow(34);
    dialog.cmdCompare_Click();
    EXPECT_EQ(cell(0, EntryModel::Reference), QString("Ein Schluessel"));
    prompts.chooseFile(QString::fromStdString(writeText("ref.zyt", 2, {"Bonjour", "Au revoir"})))
        .answer(Answer::Yes);
    window->mnuViewCompare_Click();
    dialog.cmdFile_Click();
    EXPECT_EQ(cell(1, EntryModel::Reference), QString("Au revoir"));

    // A result in another item asks about the changes first; the other document leaves no
    // stale reference behind.
    commit("Changed");
    window->mnuEditFindInArchive_Click();
    auto& find = *window->findChild<frmFindArchive*>();
    const auto search = [&](const char* text) {
        find.txtFind()->setText(QString::fromUtf8(text));
        find.cmdFind_Click();
        return find.lstResults();
    };
    QTreeWidget* results = search("bYe");
    ASSERT_EQ(results->topLevelItemCount(), 2);
    EXPECT_EQ(results->topLevelItem(0)->text(1), QString("2"));
    EXPECT_EQ(results->topLevelItem(1)->text(0), QString("FR_000.DIA"));
    prompts.answer(Answer::Cancel);
    find.openResult(0);
    EXPECT_EQ(session.origin().ArchiveItem, 37);
    prompts.answer(Answer::No);
    find.openResult(0);
    EXPECT_EQ(session.origin().ArchiveItem, 7);
    EXPECT_EQ(shown(), "Bye");
    EXPECT_EQ(title().toStdString(), titleFor(path + "; EN_000.DIA", 2));
    EXPECT_EQ(cell(0, EntryModel::Reference), QString());
    // The document's own item is searched as it is now; a result there only moves there: the
    // edit stays, nothing is asked.
    commit("Edited");
    ASSERT_EQ(search("edited")->topLevelItemCount(), 1);
    find.openResult(0);
    EXPECT_EQ(shown(), "Edited");
}

// Counts the progress windows shown, whichever window opens them.
class ProgressWindows : public QObject {
public:
    ProgressWindows() { QCoreApplication::instance()->installEventFilter(this); }
    ~ProgressWindows() override { QCoreApplication::instance()->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "frmDecomp")
            ++shown;
        return false;
    }
};

// Find in Archive and Compare with read a compressed item as Open from HQR does, the progress
// window up while it is expanded; the result opened takes the searched archive's game.
TEST_F(WorkbenchTest, CompressedItemsOpenWithTheProgressWindowFromEveryWindow) {
    ArchiveBuilder builder;
    for (int i = 0; i < 180; ++i) {
        if (i == 7)
            builder.compressed(TextFileBuilder(2).entry("Packed key").data(), 2);
        else if (i == 37)
            builder.compressed(TextFileBuilder(2).entry("Clef").data(), 1);
        else
            builder.stored("item " + std::to_string(i));
    }
    const std::string path = dir.write("text.hqr", builder.build());
    ProgressWindows progress;
    prompts.chooseFile(QString::fromStdString(path));
    window->mnuEditFindInArchive_Click();
    auto& find = *window->findChild<frmFindArchive*>();
    find.findChild<QPushButton*>("cmdArchive")->click();
    find.txtFind()->setText(QStringLiteral("clef"));
    find.cmdFind_Click();
    ASSERT_EQ(find.hits().size(), 1u);
    const int before = progress.shown;
    find.openResult(0);
    EXPECT_EQ(shown(), "Clef");
    EXPECT_EQ(progress.shown, before + 1);
    EXPECT_TRUE(session.openDocument().Flow.ArchiveIsVersion2);
    EXPECT_EQ(session.openDocument().Flow.ItemNames[38], "FR_000.DIA");

    window->mnuViewCompare_Click();
    window->findChild<frmCompare*>()->cmdCompare_Click();
    EXPECT_EQ(progress.shown, before + 2);
    EXPECT_EQ(cell(0, EntryModel::Reference), QString("Packed key"));
}

// Enter in Find in Archive's text box runs one search, not one for the box and one for the
// default button: a text the set cannot show is said once.
TEST_F(WorkbenchTest, EnterInFindInArchiveSearchesOnce) {
    ArchiveBuilder builder;
    for (int i = 0; i < 140; ++i)
        builder.stored(TextFileBuilder(1).entry("key").data());
    prompts.chooseFile(QString::fromStdString(dir.write("text.hqr", builder.build())));
    window->mnuEditFindInArchive_Click();
    auto& find = *window->findChild<frmFindArchive*>();
    find.findChild<QPushButton*>("cmdArchive")->click();
    QTest::keyClicks(find.txtFind(), QString::fromUtf8("KEY"));
    QTest::keyClick(find.txtFind(), Qt::Key_Return);
    EXPECT_EQ(find.hits().size(), 70u);
    prompts.clearLog();
    find.txtFind()->setText(QString::fromUtf8("\u0436"));
    QTest::keyClick(find.txtFind(), Qt::Key_Return);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.startsWith("Nothing to find"));
}

} // namespace
} // namespace zyn::test
