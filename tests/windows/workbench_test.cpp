// The translator's windows: the entry list, the reference document, the fit check, find in
// archive and opening a dropped file.

#include "mainwindowfixture.h"
#include "support/archivebuilder.h"
#include "windows/frmcompare.h"
#include "windows/frmeditor.h"
#include "windows/frmentries.h"
#include "windows/frmfindarchive.h"
#include "windows/frmselhqr.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QUrl>
#include <map>

namespace zyn::test {
namespace {

class WorkbenchTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    frmEntries& entries() {
        window->mnuViewEntries_Click();
        return *window->entriesWindow();
    }
    // The entry numbers the list shows, top to bottom.
    std::vector<int> rows() {
        std::vector<int> numbers;
        QAbstractItemModel* model = entries().lstEntries()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            numbers.push_back(model->index(r, EntryModel::Number).data().toInt());
        return numbers;
    }
    QString cell(int entry, int column) {
        return entries().model().index(entry, column).data().toString();
    }

    // A ZYN 2 text archive: EN_000.DIA (item 7), FR_000.DIA (37) and DE_001.DIA (69) hold texts.
    std::string archive() {
        const std::map<int, std::string> texts = {
            {7, TextFileBuilder(2).entry("Hello").entry("Bye").entry("Key").data()},
            {37, TextFileBuilder(2).entry("Bonjour").entry("Bye").entry("").data()},
            {69, TextFileBuilder(2).entry("Ein Schluessel").entry("Tuer").data()}};
        ArchiveBuilder builder;
        for (int i = 0; i < 180; ++i)
            builder.stored(texts.count(i) ? texts.at(i) : "item " + std::to_string(i));
        return dir.write("text.hqr", builder.build());
    }
    frmCompare& compare() {
        window->mnuViewCompare_Click();
        return *window->findChild<frmCompare*>();
    }
};

// The list filters by text and status and follows the main window both ways and every change.
// An entry past the preview's bottom is marked where it is cut, and counts as not fitting until
// it is cut down.
TEST_F(WorkbenchTest, EntryListFiltersFollowsAndMarksTextPastThePreview) {
    std::string tall;
    for (int line = 0; line < 60; ++line)
        tall += line ? " @ Line" : "Line";
    open(writeText("c.zyt", 2, {"The Key", tall, "", "KEYHOLE", "Radio"}, {1, 1, 1, 1, 33}), true);
    const QSize size = window->size();
    frmEntries& list = entries();
    EXPECT_TRUE(list.isVisible());
    EXPECT_TRUE(cell(1, EntryModel::Text).startsWith(QString("Line \u00B6 Line")));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("does not fit"));
    EXPECT_EQ(list.lblCounts()->text(), QString("4 of 5 translated, 1 do not fit"));
    const struct {
        const char* text;
        int status;
        std::vector<int> rows;
    } cases[] = {
        {"key", 0, {1, 4}},  {"", 1, {3}}, {"", 2, {1, 2, 4, 5}},
        {"e", 2, {1, 2, 4}}, {"", 3, {}},  {"", 4, {2}},
    };
    for (const auto& c : cases) {
        list.txtFilter()->setText(QString::fromLatin1(c.text));
        list.cboStatus()->setCurrentIndex(c.status);
        EXPECT_EQ(rows(), c.rows) << c.text << " " << c.status;
        // Filtering never changes the entry the main window shows.
        EXPECT_EQ(shown(), "The Key") << c.text << " " << c.status;
    }
    // With the shown entry filtered out no row is current, so the one left can be chosen.
    list.cboStatus()->setCurrentIndex(1);
    list.lstEntries()->setCurrentIndex(list.lstEntries()->model()->index(0, 0));
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(selectedEntry(), QString("3"));
    list.cboStatus()->setCurrentIndex(0);

    window->selectEntry(1);
    const int cut = session.status(1).linesCut;
    EXPECT_TRUE(window->CutMark()->isVisibleTo(window.get()));
    EXPECT_EQ(window->CutMark()->toolTip(), QString("%1 lines cut off").arg(cut));
    // Counted in the lines the label lays out: those shown fill its height, one more would not
    // fit, and with those cut they make the whole text. The mark lies inside the preview, under
    // the last line shown, not through it.
    const QLabel& label = *window->Label2();
    const QFontMetrics metrics(label.font());
    const auto height = [&](int lines) {
        return metrics
            .boundingRect(QRect(0, 0, 1 << 16, 1 << 24), Qt::AlignLeft | Qt::AlignTop,
                          QStringList(lines, QStringLiteral("Line")).join(QLatin1Char('\n')))
            .height();
    };
    const int linesShown = [&] {
        int lines = 0;
        while (height(lines + 1) <= label.contentsRect().height() + 1)
            ++lines;
        return lines;
    }();
    EXPECT_EQ(height(linesShown + cut),
              metrics
                  .boundingRect(QRect(0, 0, label.contentsRect().width(), 1 << 24),
                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label.text())
                  .height());
    EXPECT_GT(window->CutMark()->y(), label.y() + height(linesShown) - metrics.descent());
    EXPECT_LT(window->CutMark()->y(), label.geometry().bottom());
    EXPECT_EQ(window->size(), size);
    // Cut down to fit, the mark goes; the edit shows in the list at once.
    commit("Short again");
    EXPECT_FALSE(window->CutMark()->isVisibleTo(window.get()));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("changed"));
    EXPECT_EQ(list.lblCounts()->text(), QString("4 of 5 translated, 0 do not fit"));

    // The list chooses the entry the main window shows ...
    list.lstEntries()->setCurrentIndex(list.lstEntries()->model()->index(4, 0));
    EXPECT_EQ(selectedEntry(), QString("5"));
    EXPECT_EQ(shown(), "Radio");
    // ... and the main window's moves choose the row.
    window->Toolbar1_ButtonClick(9);
    EXPECT_EQ(list.currentEntry(), 0);
    window->selectEntry(2);
    commit("Now filled");
    window->mnuTypeDemo_Click();
    EXPECT_EQ(cell(2, EntryModel::Type), QString("129: Demo Text"));

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
    EXPECT_TRUE(window->acceptDrops());
    prompts.answer(Answer::Cancel);
    drop();
    EXPECT_EQ(shown(), "Now filled");
    prompts.answer(Answer::No).answer(Answer::Yes);
    drop();
    EXPECT_EQ(shown(), "Dropped");
    EXPECT_EQ(title(), QString::fromStdString(titleFor(dropped, 2)));
    EXPECT_FALSE(session.Modified());

    // Closing the main window closes the list.
    window->close();
    EXPECT_FALSE(list.isVisible());
}

// The reference is the same bank in another language or a chosen file; find in archive lists
// every dialogue item and opens a result.
TEST_F(WorkbenchTest, ReferenceAndFindInArchive) {
    const std::string path = archive();
    prompts.chooseFile(QString::fromStdString(path));
    window->mnuFileOpenFromHQR_Click();
    auto& items = *window->findChild<frmSelHQR*>();
    items.List1()->item(37)->setCheckState(Qt::Checked);
    items.Command1_Click();
    ASSERT_EQ(shown(), "Bonjour");
    frmCompare& dialog = compare();
    // Every dialogue item is offered; the same bank in English is chosen, whose text shows.
    EXPECT_EQ(dialog.lstSources()->count(), 90);
    dialog.cmdCompare_Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(cell(0, EntryModel::Reference), QString("Hello"));
    EXPECT_EQ(cell(1, EntryModel::Status), QString("untranslated"));

    // The string editor shows the reference above its box, and grows for it.
    window->editEntry();
    frmEditor* editor = window->editor();
    EXPECT_TRUE(editor->txtReference()->isVisibleTo(editor));
    EXPECT_EQ(editor->txtReference()->toPlainText(), QString("Hello"));
    EXPECT_GE(editor->Text1()->y(), editor->txtReference()->geometry().bottom());
    editor->close();

    // Any other item (a row for each odd item), then a loose file.
    compare().lstSources()->setCurrentRow(34);
    dialog.cmdCompare_Click();
    EXPECT_EQ(cell(0, EntryModel::Reference), QString("Ein Schluessel"));
    EXPECT_EQ(cell(2, EntryModel::Reference), QString());

    prompts.chooseFile(QString::fromStdString(writeText("ref.zyt", 2, {"Bonjour", "Au revoir"})))
        .answer(Answer::Yes);
    compare().cmdFile_Click();
    EXPECT_EQ(cell(1, EntryModel::Reference), QString("Au revoir"));

    // Find in archive: a result in another item asks about the changes first, and the other
    // document leaves no stale reference behind.
    commit("Changed");
    window->mnuEditFindInArchive_Click();
    auto& find = *window->findChild<frmFindArchive*>();
    find.txtFind()->setText("bYe");
    find.cmdFind_Click();
    QTreeWidget* results = find.lstResults();
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

    // Another archive, chosen: only its dialogue items are searched.
    ArchiveBuilder other;
    for (int i = 0; i < 140; ++i)
        other.stored(i == 7 ? TextFileBuilder(1).entry("A @ big key").data() : "key");
    prompts.chooseFile(QString::fromStdString(dir.write("other.hqr", other.build())));
    find.findChild<QPushButton*>("cmdArchive")->click();
    find.txtFind()->setText("KEY");
    find.cmdFind_Click();
    ASSERT_EQ(find.hits().size(), 1u);
    EXPECT_EQ(find.hits()[0].line, "big key");
}

} // namespace
} // namespace zyn::test
