// What the editor keeps between runs: its settings across a restart of the window, settings that
// no longer apply, the recent files, and the changes of an editor killed with SIGKILL.

#include "mainwindowfixture.h"
#include "session/documentrecovery.h"
#include "windows/documentfiles.h"
#include "windows/editorsettings.h"
#include "windows/frmsubstitutions.h"
#include "windows/pathtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <csignal>
#include <filesystem>
#include <functional>

namespace zyn::test {
namespace {

// One run of the editor as main() makes it, on scripted prompts.
struct EditorRun {
    explicit EditorRun(ScriptedPrompts& scripted) : prompts(scripted, settings) {
        window.Form_Load({});
        settings.restore();
    }
    ProgramState state;
    DocumentSession session{state};
    EditorSettings settings{session};
    RememberingPrompts prompts;
    frmText window{session, prompts};
};

class RememberedTest : public MainWindowTest {
protected:
    void SetUp() override {
        // Folders of this test's own, for this process and the editors it starts.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.file("config")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.file("data")));
    }
    static std::string recoveryFolder() { return nativePath(EditorSettings::recoveryFolder()); }
    // How many recovery files are kept, by every editor.
    static int recoveryFiles() {
        int count = 0;
        for (const auto& folder : std::filesystem::directory_iterator(recoveryFolder()))
            count += fileExists(folder.path().string() + "/" + DocumentRecovery::FileName);
        return count;
    }
    static QString stored(const char* key) {
        return QSettings(EditorSettings::fileName(), QSettings::IniFormat).value(key).toString();
    }
    // A second editor that changed the first entry of file to Bonjour and kept it for recovery.
    static void startEditor(QProcess& editor, const std::string& file) {
        editor.start(QStringLiteral(SECOND_EDITOR),
                     {QString::fromStdString(file), QStringLiteral("Bonjour")});
        ASSERT_TRUE(editor.waitForReadyRead(30000)) << editor.readAllStandardError().toStdString();
    }
};

// What was set comes back after a restart, the item dialog of Open from HQR at its size too.
TEST_F(RememberedTest, ARestartBringsBackSetGroupPlacesFoldersDialogSizeAndTheReference) {
    const std::string file = writeText("FILE01.ZYT", 1, {"Bonjour"});
    const std::string english = writeText("EN01.ZYT", 1, {"Hello"});
    const std::string archive = dir.write("text.hqr", TextArchive(180));
    const auto itemDialog = [&](EditorRun& run) -> QDialog& {
        prompts.chooseFile(QString::fromStdString(archive));
        run.window.mnuFileOpenFromHQR_Click();
        return *run.window.findChild<QDialog*>("frmSelHQR");
    };
    QSize larger;
    {
        EditorRun first(prompts);
        first.window.Combo1()->setCurrentIndex(5);
        first.window.Combo1_Click();
        first.window.mnuKeybGreek_Click();
        first.window.findChild<QAction*>("mnuSpellingIT")->trigger();
        prompts.chooseFile(QString::fromStdString(file)).answer(Answer::No);
        first.window.mnuFileOpen_Click();
        first.session.setReference(std::move(*ReadTextFile(first.state.files(), english, false)),
                                   LooseFileOrigin(english));
        first.window.show();
        first.window.move(30, 40);
        QDialog& dialog = itemDialog(first);
        larger = dialog.size() + QSize(120, 200);
        dialog.resize(larger);
        dialog.reject();
        first.window.close();
    }
    EditorRun second(prompts);
    EXPECT_EQ(second.window.Combo1()->currentText(), QStringLiteral("Greek CharSet"));
    EXPECT_TRUE(second.window.menuItem("mnuKeybGreek")->isChecked());
    EXPECT_TRUE(second.window.findChild<QAction*>("mnuSpellingIT")->isChecked());
    second.window.show();
    EXPECT_EQ(second.window.pos(), QPoint(30, 40));
    QDialog& dialog = itemDialog(second);
    EXPECT_EQ(dialog.size(), larger);
    dialog.reject();

    // The file opened last comes back from the menu, and its reference with it.
    second.window.showRecentFiles();
    prompts.answer(Answer::No);
    second.window.menuItem("mnuFileRecent1")->trigger();
    ASSERT_TRUE(second.session.referenceText(0));
    EXPECT_EQ(*second.session.referenceText(0), "Hello");
    prompts.chooseFile({});
    second.window.mnuFileOpen_Click();
    EXPECT_EQ(lastShown().dialog.initialName.toStdString(), dir.path());
}

// The entry list is a dock of the main window, beside or below the preview, which keeps its
// size: View > Entries shows it and gives it the keys, and from the list closes it again, the
// window shrinking back. Where it is docked and whether it is shown or floating come back after a
// restart, with its filter.
TEST_F(RememberedTest, TheEntryListIsADockOfTheMainWindowKeptAcrossARestart) {
    const QSize preview(640, 502);
    {
        EditorRun first(prompts);
        first.window.show();
        QDockWidget* dock = first.window.entriesDock();
        ASSERT_NE(dock, nullptr);
        EXPECT_EQ(dock->objectName(), QStringLiteral("dockEntries"));
        EXPECT_EQ(dock->parentWidget(), &first.window);
        EXPECT_EQ(dock->widget(), first.window.entriesWindow());
        EXPECT_TRUE(dock->isHidden());
        const QSize alone = first.window.size();
        QAction* item = first.window.menuItem("mnuViewEntries");
        item->trigger();
        EXPECT_FALSE(dock->isHidden());
        EXPECT_FALSE(dock->isFloating());
        EXPECT_TRUE(item->isChecked());
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.window.entriesWindow()->hasKeys(); }));
        EXPECT_EQ(first.window.centralWidget()->size(), preview);
        EXPECT_GT(first.window.width() * first.window.height(), alone.width() * alone.height());
        item->trigger();
        EXPECT_TRUE(dock->isHidden());
        EXPECT_FALSE(item->isChecked());
        EXPECT_EQ(first.window.size(), alone) << "the window shrinks with its dock";
        item->trigger();
        first.window.addDockWidget(Qt::RightDockWidgetArea, dock);
        first.window.entriesWindow()->txtFilter()->setText(QStringLiteral("Bon"));
        first.window.close();
    }
    {
        EditorRun second(prompts);
        second.window.show();
        QDockWidget* dock = second.window.entriesDock();
        EXPECT_FALSE(dock->isHidden());
        EXPECT_TRUE(second.window.menuItem("mnuViewEntries")->isChecked());
        EXPECT_EQ(second.window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        EXPECT_EQ(second.window.centralWidget()->size(), preview);
        EXPECT_EQ(second.window.entriesWindow()->txtFilter()->text(), QStringLiteral("Bon"));
        dock->setFloating(true);
        second.window.close();
    }
    EditorRun third(prompts);
    third.window.show();
    EXPECT_TRUE(third.window.entriesDock()->isFloating());
    EXPECT_FALSE(third.window.entriesDock()->isHidden());
}

// The status filter is kept by its name and the last folders by the kind of file, so a filter
// added to the list or a dialog given a new title changes nothing saved. What older editors wrote
// (the list's index, the dialog's title) is read once and written back the new way.
TEST_F(RememberedTest, TheStatusFilterAndFoldersAreKeptByNameNotByIndexOrTitle) {
    const std::string file = writeText("FILE01.ZYT", 1, {"Bonjour"});
    {
        EditorRun run(prompts);
        run.window.show();
        run.window.mnuViewEntries_Click();
        run.window.entriesWindow()->cboStatus()->setCurrentText(QStringLiteral("Does not fit"));
        prompts.chooseFile(QString::fromStdString(file)).answer(Answer::No);
        run.window.mnuFileOpen_Click();
        run.window.close();
    }
    EXPECT_EQ(stored("entries/status"), QStringLiteral("does-not-fit"));
    EXPECT_EQ(stored("folders/text").toStdString() + "/", dir.path());

    const struct {
        QVariant written;
        const char* shown;
        const char* kept;
    } cases[] = {
        {4, "Does not fit", "does-not-fit"},
        {QStringLiteral("1"), "Untranslated", "untranslated"},
        {QStringLiteral("spelling"), "Spelling", "spelling"},
        {QStringLiteral("no-such-filter"), "All", "no-such-filter"},
        {99, "All", "99"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.kept);
        QSettings(EditorSettings::fileName(), QSettings::IniFormat)
            .setValue(QStringLiteral("entries/status"), each.written);
        EditorRun run(prompts);
        run.window.show();
        run.window.mnuViewEntries_Click();
        EXPECT_EQ(run.window.entriesWindow()->cboStatus()->currentText(),
                  QLatin1String(each.shown));
        EXPECT_EQ(stored("entries/status"), QLatin1String(each.kept));
    }

    const std::string older = dir.file("older");
    std::filesystem::create_directory(older);
    {
        QSettings written(EditorSettings::fileName(), QSettings::IniFormat);
        written.remove(QStringLiteral("folders/text"));
        written.setValue(QStringLiteral("folders/Load ZYN text file"),
                         QString::fromStdString(older));
    }
    EditorRun run(prompts);
    prompts.chooseFile({});
    run.window.mnuFileOpen_Click();
    EXPECT_EQ(lastShown().dialog.initialName.toStdString(), older + "/");
    EXPECT_EQ(stored("folders/text").toStdString(), older);
    EXPECT_TRUE(stored("folders/Load ZYN text file").isEmpty());
}

// Extra > Substitutions lists the program's pairs after the user's; a pair added there (one
// given twice replaced, one removed, one without a stand-in refused) and the base letters are
// typed with and come back after a restart.
TEST_F(RememberedTest, TheUsersOwnSubstitutionsAreListedAndKeptAcrossARestart) {
    const auto inDialog = [](const std::function<void(frmSubstitutions&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<frmSubstitutions*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
    };
    const auto add = [](frmSubstitutions& dialog, const char* letter, const char* standIn) {
        dialog.txtLetter()->setText(QString::fromUtf8(letter));
        dialog.txtStandIn()->setText(QString::fromUtf8(standIn));
        dialog.cmdAdd()->click();
    };
    {
        EditorRun first(prompts);
        inDialog([&](frmSubstitutions& dialog) {
            EXPECT_EQ(dialog.tblSubstitutions()->item(0, 0)->text(),
                      QString::fromUtf8("\"\u0153\" (U+0153)"));
            add(dialog, "\u014B", "n");
            add(dialog, "\u00F0", "");
            add(dialog, "\u00F0", "d");
            add(dialog, "\u014B", "ng");
            dialog.tblSubstitutions()->selectRow(0);
            dialog.cmdRemove_Click();
            dialog.chkBaseLetters()->setChecked(true);
            dialog.accept();
        });
        first.window.menuItem("mnuExtraSubstitutions")->trigger();
        EXPECT_EQ(lastShown().text, "Type its stand-in: one or more characters, on one line.");
    }
    EditorRun second(prompts);
    EXPECT_TRUE(second.session.substitutions().baseLetters);
    const LetterCodes typed = second.session.typedCodes(QString::fromUtf8("\u014B\u00F0\u0141"));
    EXPECT_EQ(typed.codes, "ng\xD0L") << "the eth, its pair removed, as the set has it";
    inDialog([](frmSubstitutions& dialog) {
        EXPECT_EQ(dialog.tblSubstitutions()->item(0, 1)->text(),
                  QString::fromUtf8("\u201Cng\u201D"));
        EXPECT_EQ(dialog.tblSubstitutions()->item(0, 2)->text(), "yours");
        EXPECT_EQ(dialog.tblSubstitutions()->item(1, 2)->text(), "the program's");
        dialog.tblSubstitutions()->selectRow(0);
        EXPECT_TRUE(dialog.cmdRemove()->isEnabled());
        dialog.tblSubstitutions()->selectRow(1);
        EXPECT_FALSE(dialog.cmdRemove()->isEnabled()) << "the program's pairs stay";
        dialog.reject();
    });
    second.window.menuItem("mnuExtraSubstitutions")->trigger();
}

// A reference chosen again for a document takes the old one's place; one whose file is gone is
// forgotten, and does not come back with the file. A shorter recent list leaves none of the
// longer one's rows behind.
TEST_F(RememberedTest, AReferenceChosenAgainReplacesTheOldAndOneGoneIsForgotten) {
    const std::string file = writeText("FILE01.ZYT", 1, {"Bonjour"});
    const std::string first = writeText("EN01.ZYT", 1, {"Hello"});
    const std::string second = writeText("EN02.ZYT", 1, {"Hi"});
    const auto reference = [&](EditorRun& run) {
        prompts.chooseFile(QString::fromStdString(file)).answer(Answer::No);
        run.window.mnuFileOpen_Click();
        const std::string* text = run.session.referenceText(0);
        return text ? *text : std::string("(none)");
    };
    {
        EditorRun run(prompts);
        EXPECT_EQ(reference(run), "(none)");
        for (const std::string& chosen : {first, second})
            run.session.setReference(std::move(*ReadTextFile(run.state.files(), chosen, false)),
                                     LooseFileOrigin(chosen));
        run.state.RecentFiles = {LooseFileOrigin(file), LooseFileOrigin(first),
                                 LooseFileOrigin(second)};
    }
    EXPECT_EQ(stored("references/size"), "1");
    {
        EditorRun run(prompts);
        EXPECT_EQ(reference(run), "Hi");
        run.state.RecentFiles = {LooseFileOrigin(file)};
    }
    EXPECT_EQ(stored("recentFiles/size"), "1");
    EXPECT_EQ(stored("recentFiles/2/path"), "");
    std::filesystem::remove(second);
    {
        EditorRun run(prompts);
        EXPECT_EQ(reference(run), "(none)");
    }
    writeText("EN02.ZYT", 1, {"Hi"});
    EditorRun run(prompts);
    EXPECT_EQ(reference(run), "(none)");
}

// A setting that no longer applies is dropped quietly; a recent file opens as Open from HQR does,
// and one that is gone is taken off.
TEST_F(RememberedTest, ASettingThatNoLongerAppliesIsDroppedAndARecentFileThatIsGoneTakenOff) {
    const std::string archive = dir.write("text.hqr", BanksArchive({}));
    const std::string gone = writeText("GONE.ZYT", 1, {"Gone"});
    {
        QSettings written(EditorSettings::fileName(), QSettings::IniFormat);
        written.setValue(QStringLiteral("windows/frmText"), QRect(5000, 5000, 640, 524));
        written.setValue(QStringLiteral("folders/Load ZYN text file"),
                         QString::fromStdString(dir.file("gone")));
        written.setValue(QStringLiteral("display/characterSet"), QStringLiteral("gone"));
    }
    EditorRun run(prompts);
    run.window.show();
    EXPECT_EQ(run.window.y(), 0);
    EXPECT_EQ(run.window.Combo1()->currentText(), QStringLiteral("Western European CharSet"));
    prompts.chooseFile({});
    run.window.mnuFileOpen_Click();
    EXPECT_TRUE(lastShown().dialog.initialName.isEmpty());

    run.state.RecentFiles = {LooseFileOrigin(gone), ArchiveItemOrigin(archive, 37, "FR_000.DIA")};
    std::filesystem::remove(gone);
    run.window.showRecentFiles();
    EXPECT_EQ(run.window.menuItem("mnuFileRecent2")->text(),
              QStringLiteral("FR_000.DIA in text.hqr"));

    run.window.menuItem("mnuFileRecent1")->trigger();
    EXPECT_EQ(lastShown().kind, Kind::Notice);
    EXPECT_TRUE(lastShown().text.contains(QStringLiteral("GONE.ZYT")));
    run.window.showRecentFiles();
    run.window.menuItem("mnuFileRecent1")->trigger();
    EXPECT_EQ(run.session.document().EntryText[0], "bank 37");
    EXPECT_EQ(run.window.windowTitle().toStdString(), titleFor(archive + "; FR_000.DIA", 2));
}

TEST_F(RememberedTest, AKilledEditorsChangesComeBackAtTheNextStartARunningOnesNever) {
    const std::string file = writeText("FILE01.ZYT", 1, {"Hello", "Bye"});
    QProcess killed;
    startEditor(killed, file);

    // An editor running beside it keeps a file of its own and is never offered the other's.
    ProgramState otherState;
    DocumentSession other(otherState);
    DocumentRecovery otherRecovery(other, recoveryFolder());
    EXPECT_TRUE(otherRecovery.takeAbandoned().empty());
    other.open(std::move(*ReadTextFile(realFileSystem(), file, false)), LooseFileOrigin(file));
    other.editText(1, "Salut");
    otherRecovery.writeNow();
    EXPECT_EQ(recoveryFiles(), 2);

    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished());
    EXPECT_EQ(killed.exitStatus(), QProcess::CrashExit);

    // The next start is offered the killed editor's changes alone, and they come back unsaved.
    EditorRun next(prompts);
    DocumentRecovery recovery(next.session, recoveryFolder());
    prompts.answer(Answer::Yes);
    offerRecovery(recovery, prompts, &next.window);
    EXPECT_TRUE(lastShown().text.contains(QString::fromStdString(file)));
    EXPECT_EQ(next.session.document().EntryText[0], "Bonjour");
    EXPECT_TRUE(next.window.menuItem("mnuFileSave")->isEnabled());
    next.window.mnuFileSave_Click();
    EXPECT_EQ(readBytes(file), TextFileBuilder(1).entry("Bonjour").entry("Bye").bytes());
    EXPECT_EQ(recoveryFiles(), 1);
}

// At the next start Cancel keeps a killed editor's changes for a later one; No throws them away,
// as the question says, and the file is left as it was.
TEST_F(RememberedTest, RecoveryCancelKeepsTheChangesForLaterAndNoThrowsThemAway) {
    const std::string file = writeText("FILE01.ZYT", 1, {"Hello"});
    const std::string saved = readBytes(file);
    QProcess killed;
    startEditor(killed, file);
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished());

    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        EditorRun next(prompts);
        DocumentRecovery recovery(next.session, recoveryFolder());
        prompts.answer(answer);
        offerRecovery(recovery, prompts, &next.window);
        EXPECT_TRUE(lastShown().text.contains(QStringLiteral("No throws them away")));
        EXPECT_EQ(next.session.document().SlotCount, 0) << "nothing restored";
    }
    EXPECT_EQ(recoveryFiles(), 0) << "nothing left to offer";
    EXPECT_EQ(readBytes(file), saved);
}

} // namespace
} // namespace zyn::test
