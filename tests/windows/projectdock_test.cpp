// The project window in its dock: filled on its own thread with the numbers `zyntext status`
// prints for the same archive and project, the open bank marked and following the edits; Enter
// opens a bank with its reference set; the keys that move from bank to bank, and Ctrl+Enter on the
// last entry going on to the next bank with work.

#include "mainwindowfixture.h"
#include "project/projectfile.h"
#include "session/projectsession.h"
#include "support/dictionarybuilder.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/toolrun.h"
#include "windows/frmproject.h"
#include "windows/projectstatusmodel.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <cstdlib>

namespace zyn::test {
namespace {

using Column = ProjectStatusModel::Column;

class ProjectDockTest : public MainWindowTest {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QApplication>(); }

    void SetUp() override {
        writeDictionary(dir, "fr_FR",
                        {"ouvre", "ouvrez", "la", "porte", "prends", "cle", "oui", "non"});
        setenv("DICPATH", dir.path().c_str(), 1);
        setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        // EN banks 1, 5 and 7 against FR 31 (two entries left as the source, a word the
        // dictionary lacks), 35 (all done) and 37 (one empty entry); 39 translates "Open" another
        // way than 37, and 41 gives "Non" to another source than 35. The other banks are one
        // entry each, translated.
        std::map<int, std::vector<std::string>> banks{
            {1, {"Open the door.", "Yes", "Take the key.", "No"}},
            {31, {"Ouvre la porte.", "Yes", "Prends la clef.", "No"}},
            {5, {"No", "Yes"}},
            {35, {"Non", "Oui"}},
            {7, {"Open", "Take"}},
            {37, {"Ouvre", ""}},
            {9, {"Open"}},
            {39, {"Ouvrez"}},
            {11, {"Close"}},
            {41, {"Non"}}};
        // The blank item of each language, as the game's archive has it.
        for (int item = 3; item < 180; item += 30)
            banks[item] = {};
        archive = dir.write("text.hqr", BanksArchive(banks));
        start().show();
        project = window->projectWindow();
        ASSERT_NE(project, nullptr);
    }
    void TearDown() override {
        unsetenv("DICPATH");
        unsetenv("XDG_DATA_HOME");
        MainWindowTest::TearDown();
    }

    // Opens bank item of the archive as Recent files does.
    void openBank(int item) {
        state.RecentFiles = {ArchiveItemOrigin(archive, item, "bank")};
        window->openRecentFile(0);
        ASSERT_EQ(session.origin().ArchiveItem, item);
    }
    void showProject() {
        window->menuItem("mnuViewProject")->trigger();
        ASSERT_TRUE(window->findChild<QDockWidget*>("dockProject")->isVisible());
        waitForFill();
    }
    // Until holds() or 20 seconds have passed; whether it holds.
    template <typename Holds> static bool waitUntil(Holds holds) {
        return QTest::qWaitFor(holds, 20000);
    }
    void waitForFill() {
        ASSERT_TRUE(waitUntil([this] { return project->filled(); }))
            << project->lblStatus()->text().toStdString();
    }
    bool bold(const QString& bank) const {
        return rows().index(rowOf(bank), 0).data(Qt::FontRole).value<QFont>().bold();
    }
    static QString bank(int item) { return QString::fromStdString(ProjectBankName(true, item)); }
    QAbstractItemModel& rows() const { return *project->lstBanks()->model(); }
    int rowOf(const QString& bank) const {
        for (int row = 0; row < rows().rowCount(); ++row)
            if (rows().index(row, Column::Bank).data().toString() == bank)
                return row;
        return -1;
    }
    QVariant cell(const QString& bank, int column) const {
        return rows().index(rowOf(bank), column).data();
    }

    std::string archive;
    frmProject* project = nullptr;
};

// Every bank's row is the tool's, column by column, in a project with a glossary; the totals row
// stays last whatever the order; the open bank is bold and its row follows an edit; Enter opens
// another bank with its English bank as reference; a saved edit counts the consistency of every
// bank again.
TEST_F(ProjectDockTest, TheToolsNumbersAndEnterOpensTheBank) {
    const std::string projectFile = dir.file("fr.zyp");
    ASSERT_TRUE(session.project().create(projectFile, FrenchProject()));
    ASSERT_TRUE(session.project().storeGlossary({"en", "fr", {{"key", "cle", "", false, false}}}));
    openBank(35);
    showProject();
    const std::string environment =
        "DICPATH=" + quoted(dir.path()) + " XDG_DATA_HOME=" + quoted(dir.file("data"));
    const ToolRun status = zyntext({"status", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                    "--project", projectFile, "--json"},
                                   {}, environment);
    ASSERT_TRUE(succeeded(status));
    const nlohmann::json printed = nlohmann::json::parse(status.out);
    ASSERT_EQ(rows().rowCount(), static_cast<int>(printed["banks"].size()) + 1);
    const std::pair<const char*, int> columns[] = {
        {"entries", Column::Entries},           {"wordsToDo", Column::WordsToDo},
        {"untranslated", Column::Untranslated}, {"needsReview", Column::NeedsReview},
        {"translated", Column::Translated},     {"reviewed", Column::Reviewed},
        {"doesNotFit", Column::DoesNotFit},     {"spelling", Column::Spelling},
        {"checkFindings", Column::Findings},    {"glossary", Column::GlossaryTerms},
        {"consistency", Column::Consistency},   {"progress", Column::Progress}};
    for (const nlohmann::json& bank : printed["banks"]) {
        const QString name = QString::fromStdString(bank["bank"].get<std::string>());
        ASSERT_GE(rowOf(name), 0) << name.toStdString();
        for (const auto& [key, column] : columns)
            EXPECT_EQ(rows().index(rowOf(name), column).data(ProjectStatusModel::SortRole).toInt(),
                      bank[key].get<int>())
                << name.toStdString() << " " << key;
    }
    EXPECT_EQ(cell(bank(31), Column::Untranslated).toInt(), 2) << "\"Yes\", \"No\"";
    EXPECT_EQ(cell(bank(31), Column::Spelling).toInt(), 1) << "\"clef\"";
    EXPECT_EQ(cell(bank(31), Column::GlossaryTerms).toInt(), 1) << "\"clef\" is not \"cle\"";

    // 35, 37, 39 and 41 each translate a source another way than another bank.
    EXPECT_EQ(cell("Total", Column::Consistency).toInt(), 4);
    EXPECT_EQ(cell("Total", Column::Entries).toInt(), printed["counts"]["entries"].get<int>());
    EXPECT_TRUE(bold(bank(35)));
    EXPECT_FALSE(bold(bank(31)));

    for (const Qt::SortOrder order : {Qt::DescendingOrder, Qt::AscendingOrder}) {
        project->lstBanks()->sortByColumn(Column::Untranslated, order);
        EXPECT_EQ(rowOf("Total"), rows().rowCount() - 1);
    }
    EXPECT_EQ(rows().index(rows().rowCount() - 2, 0).data().toString(), bank(31))
        << "the most untranslated last";

    // Enter on bank 31 opens it, compared with the English bank 1 from the first look.
    project->lstBanks()->setFocus();
    project->lstBanks()->setCurrentIndex(rows().index(rowOf(bank(31)), 0));
    QTest::keyClick(project->lstBanks(), Qt::Key_Return);
    ASSERT_EQ(session.origin().ArchiveItem, 31);
    EXPECT_EQ(session.openDocument().Reference.Origin.ArchiveItem, 1);
    EXPECT_TRUE(session.status(1).untranslated);
    EXPECT_TRUE(waitUntil([this] { return bold(bank(31)); }));

    // The open bank's row follows the document, not the archive on disk.
    session.setCurrentEntry(1);
    commit("Oui");
    EXPECT_TRUE(waitUntil([this] { return cell(bank(31), Column::Untranslated).toInt() == 1; }));
    EXPECT_EQ(cell(bank(31), Column::Translated).toInt(), 3);
    EXPECT_TRUE(project->filled()) << "without counting the archive again";
    EXPECT_EQ(cell("Total", Column::Untranslated).toInt(),
              printed["counts"]["untranslated"].get<int>() - 1);
    // The changed bank is kept before another one opens, by the window's order (the
    // archive's again); No throws the change away.
    project->lstBanks()->sortByColumn(-1, Qt::AscendingOrder);
    prompts.answer(Answer::No);
    window->menuItem("mnuGoNextBank")->trigger();
    EXPECT_EQ(session.origin().ArchiveItem, 35);

    // "No" of bank 35 translated another way: 41's "Non" has one source left. The consistency
    // column counts the saved texts, so it changes with the save, in both banks.
    session.setCurrentEntry(0);
    commit("Non merci");
    QTest::qWait(20); // the open bank's row counted again
    EXPECT_EQ(cell(bank(41), Column::Consistency).toInt(), 1) << "not saved yet";
    EXPECT_EQ(cell(bank(35), Column::Consistency).toInt(), 1) << "kept by the live row";
    window->menuItem("mnuFileSave")->trigger();
    ASSERT_FALSE(session.Modified());
    EXPECT_EQ(cell(bank(41), Column::Consistency).toInt(), 0);
    EXPECT_EQ(cell(bank(35), Column::Consistency).toInt(), 0);
    EXPECT_EQ(cell(bank(37), Column::Consistency).toInt(), 1);
    EXPECT_EQ(cell("Total", Column::Consistency).toInt(), 2);
    EXPECT_TRUE(project->filled()) << "without counting the archive again";
}

// Ctrl+Alt+PgDn and PgUp move by the window's order; Ctrl+Enter on the last entry saves the
// bank and opens the next one with work on its first entry to do, past the banks done.
TEST_F(ProjectDockTest, MovingFromBankToBank) {
    openBank(31);
    showProject();
    const std::pair<const char*, int> moves[] = {
        {"mnuGoNextBank", 35}, {"mnuGoNextBank", 37}, {"mnuGoPreviousBank", 35}};
    for (const auto& [action, item] : moves) {
        EXPECT_EQ(window->menuItem(action)->shortcut().isEmpty(), false);
        window->menuItem(action)->trigger();
        EXPECT_EQ(session.origin().ArchiveItem, item) << action;
    }
    EXPECT_EQ(window->menuItem("mnuGoNextBank")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_PageDown));

    openBank(31);
    waitForFill();
    // The last entry translated: the bank is saved, bank 35 (done) passed over for 37.
    session.editText(2, "Prends la cle.");
    EXPECT_EQ(session.keepAndGo(3, "Non", true), -1);
    ASSERT_TRUE(waitUntil([this] { return !bold(bank(31)) && bold(bank(37)); }));
    ASSERT_EQ(session.origin().ArchiveItem, 37);
    EXPECT_NE(window->editor(), nullptr) << "the string editor goes on with the work";
    EXPECT_FALSE(session.Modified());
    EXPECT_EQ(session.currentEntry(), 1) << "the empty entry";
    EXPECT_EQ(session.openDocument().Reference.Origin.ArchiveItem, 7);
    // Saved in the archive: the window's row says so once the bank is left.
    EXPECT_EQ(cell(bank(31), Column::Untranslated).toInt(), 1) << "\"Yes\" is still to do";
    EXPECT_EQ(cell(bank(31), Column::Spelling).toInt(), 0);
}

} // namespace
} // namespace zyn::test
