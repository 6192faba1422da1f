// States and notes in the windows: the string editor's keys for them, the entry list's state
// column, note mark, filters and counts, and the translation projects of the File menu.

#include "mainwindowfixture.h"
#include "project/projectfile.h"
#include "session/projectsession.h"
#include "support/frenchproject.h"
#include "windows/frmcompare.h"
#include "windows/frmeditor.h"

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QUndoStack>
#include <QtTest/QTest>
#include <filesystem>

namespace zyn::test {
namespace {

class StatesTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // The French bank opened from the archive, English its reference.
    void openFrenchBank(const std::string& archive) {
        openItem(archive, 37);
        window->mnuViewCompare_Click();
        window->findChild<frmCompare*>()->cmdCompare_Click();
    }
    frmEditor& edit(int entry) {
        window->selectEntry(entry);
        window->editEntry();
        // The editor's keys are its window's shortcuts: as a person types, into the window
        // that has the keys.
        window->editor()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window->editor()));
        return *window->editor();
    }
    void key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(widget, key, modifiers);
    }
};

// New Translation Project... takes the open bank's archive and language; then Ctrl+Enter keeps
// a text equal to its source as translated, Ctrl+R marks one reviewed, Ctrl+N goes to the note,
// and the entry list follows.
TEST_F(StatesTest, ANewProjectKeepsWhatTheEditorsKeysSay) {
    const std::string archive = writeArchive();
    openFrenchBank(archive);
    ASSERT_EQ(shown(), "Bonjour");
    const std::string project = dir.file("fr.zyp");
    prompts.chooseItem(0).chooseFile(QString::fromStdString(project));
    window->menuItem("mnuFileNewProject")->trigger();
    const ScriptedPrompts::Shown& asked = prompts.shown()[prompts.shown().size() - 2];
    EXPECT_EQ(asked.kind, Kind::Choice);
    EXPECT_EQ(asked.dialog.defaultExtension, QString("0")); // English offered
    ASSERT_TRUE(session.project().isOpen());
    EXPECT_EQ(session.project().project().archive, "text.hqr");
    EXPECT_EQ(session.project().project().targetLanguage, 1);
    EXPECT_EQ(session.projectBank(), "FR_000.DIA");
    EXPECT_EQ(session.project().recentProjects(), std::vector<std::string>{project});

    frmEditor* editor = &edit(1);
    key(editor->Text1(), Qt::Key_Return);
    EXPECT_EQ(session.entryState(1), EntryState::Translated);
    EXPECT_EQ(cell(1, EntryModel::State), QString("translated"));

    editor = &edit(0);
    key(editor->Text1(), Qt::Key_R);
    EXPECT_EQ(session.entryState(0), EntryState::Reviewed);
    EXPECT_EQ(editor->lblState()->text(), QString("State: reviewed"));
    key(editor->Text1(), Qt::Key_N);
    EXPECT_EQ(QApplication::focusWidget(), editor->txtNote());
    QTest::keyClicks(editor->txtNote(), "Formal");
    key(editor->txtNote(), Qt::Key_Return);
    EXPECT_EQ(session.note(0), "Formal");
    EXPECT_EQ(window->editor()->entry(), 1);
    window->editor()->close();

    EXPECT_EQ(cell(0, EntryModel::State), QString("reviewed"));
    EXPECT_EQ(cell(0, EntryModel::Note), QString("\u270E"));
    EXPECT_EQ(entries().model().index(0, EntryModel::Note).data(Qt::ToolTipRole).toString(),
              QString("Formal"));
    EXPECT_EQ(entries().lblCounts()->text(),
              QString("1 translated, 0 need review, 1 reviewed, 1 untranslated, 0 do not fit"));
    // Three steps, each undone alone; File Save writes the project (the session's tests).
    EXPECT_EQ(session.undoStack()->count(), 3);
}

// A suggestion put in by Ctrl+1 and kept as it is needs review; the state line says so, and
// where the source changed since, the old one.
TEST_F(StatesTest, ASuggestionTakenNeedsReviewAndAChangedSourceIsShown) {
    openFrenchBank(writeArchive());
    prompts.chooseItem(0).chooseFile(QString::fromStdString(dir.file("fr.zyp")));
    window->menuItem("mnuFileNewProject")->trigger();
    auto memory = std::make_shared<TranslationMemory>();
    memory->add("Key", "Clef", {"X", 0});
    memory->add("Good\r\nmorning", "Bonjour", {"X", 1});
    session.setTranslationMemory(memory);
    session.project().setRecord(
        "FR_000.DIA", 0, EntryRecord{EntryState::Translated, {}, HashSource("Good\r\nmorning")});

    frmEditor* editor = &edit(2);
    key(editor->Text1(), Qt::Key_1);
    key(editor->Text1(), Qt::Key_Return);
    EXPECT_EQ(session.entryAsShown(2), "Clef");
    EXPECT_EQ(session.entryState(2), EntryState::NeedsReview);

    editor = &edit(0);
    EXPECT_EQ(editor->lblState()->text(),
              QString("State: needs review. The source changed; it was: Good / morning"));
    editor->close();
}

// Ctrl+R and a note without a project ask whether to start one: No changes nothing, Yes starts
// New Translation Project..., which says what it needs when no archive's bank is open.
TEST_F(StatesTest, WithoutAProjectTheEditorOffersToStartOne) {
    open(writeText("mine.zyt", 2, {"Salut"}), true);
    frmEditor& editor = edit(0);
    prompts.answer(Answer::No);
    key(editor.Text1(), Qt::Key_R);
    EXPECT_EQ(lastShown().kind, Kind::YesNo);
    EXPECT_TRUE(lastShown().text.contains("Start a translation project?"))
        << lastShown().text.toStdString();
    EXPECT_EQ(session.undoStack()->count(), 0);
    EXPECT_TRUE(editor.txtNote()->isReadOnly());

    prompts.answer(Answer::Yes);
    key(editor.Text1(), Qt::Key_N);
    EXPECT_EQ(lastShown().kind, Kind::Notice);
    EXPECT_TRUE(lastShown().text.contains("open the bank you translate"));
    EXPECT_FALSE(session.project().isOpen());
    editor.close();
}

// A project whose archive moved asks where it is, records that and saves; then it offers the
// archive's banks. Recent files lists it first and takes it off once it is gone.
TEST_F(StatesTest, AMovedArchiveIsAskedForAndTheProjectIsRemembered) {
    const std::string archive = writeArchive("moved.hqr");
    const std::string project = dir.file("fr.zyp");
    ASSERT_TRUE(WriteProjectFile(state.files(), project, FrenchProject("old/text.hqr")));

    prompts.chooseFile(QString::fromStdString(project)).chooseFile(QString::fromStdString(archive));
    window->menuItem("mnuFileOpenProject")->trigger();
    EXPECT_TRUE(lastShown().dialog.title.contains("text.hqr"));
    EXPECT_EQ(session.project().archive().place, ArchivePlace::Found);
    const auto read = ReadProjectFile(state.files(), project);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->project.archive, "moved.hqr");
    auto* items = window->findChild<frmSelHQR*>();
    ASSERT_NE(items, nullptr);
    EXPECT_TRUE(items->isVisible());
    items->close();

    window->showRecentFiles();
    QMenu* recent = window->findChild<QMenu*>("mnuFileRecent");
    ASSERT_FALSE(recent->actions().isEmpty());
    QAction* first = recent->actions().front();
    EXPECT_EQ(first->text(), QString("fr.zyp (translation project)"));
    std::filesystem::remove(project);
    first->trigger();
    EXPECT_TRUE(lastShown().text.contains("no longer there"));
    EXPECT_TRUE(session.project().recentProjects().empty());
}

} // namespace
} // namespace zyn::test
