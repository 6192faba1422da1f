// The glossary in the windows: the string editor's terms under the reference with Alt+1..9,
// missing terms underlined and counted, Ctrl+G, the glossary window's import, export and save,
// and Find in Archive as a concordance.

#include "mainwindowfixture.h"
#include "project/glossaryfile.h"
#include "session/projectsession.h"
#include "support/frenchproject.h"
#include "windows/editorglossary.h"
#include "windows/frmaddterm.h"
#include "windows/frmeditor.h"
#include "windows/frmfindarchive.h"
#include "windows/frmglossary.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <algorithm>

namespace zyn::test {
namespace {

class GlossaryTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    void openProject(std::vector<GlossaryTerm> terms = {}) {
        ASSERT_TRUE(session.project().create(dir.file("fr.zyp"), FrenchProject()));
        if (!terms.empty())
            session.project().setGlossary({"en", "fr", std::move(terms)});
    }

    // A French text with an English reference, its first entry in the string editor.
    frmEditor& edit(const std::vector<std::string>& texts,
                    const std::vector<std::string>& references) {
        open(writeText("fr.zyt", 2, texts), true);
        const std::string ref = writeText("en.zyt", 2, references);
        session.setReference(std::move(*ReadTextFile(state.files(), ref, true)));
        window->editEntry();
        return *window->editor();
    }

    QStringList rows(const QListWidget* list) const {
        QStringList said;
        for (int i = 0; i < list->count(); ++i)
            said << list->item(i)->text();
        return said;
    }

    int notices() const {
        return int(std::count_if(prompts.shown().begin(), prompts.shown().end(),
                                 [](const auto& shown) { return shown.kind == Kind::Notice; }));
    }

    // The source's underlined words.
    QStringList underlined(const QPlainTextEdit* box) const {
        QStringList said;
        for (const QTextEdit::ExtraSelection& mark : box->extraSelections())
            if (mark.format.fontUnderline())
                said << mark.cursor.selectedText();
        return said;
    }
};

// The terms of the source are listed under the reference with their translations, numbered;
// each one the translation lacks is underlined in the source, marked in the list and counted;
// Alt+n puts its translation in at the cursor (the source term for do-not-translate) and the
// mark goes.
TEST_F(GlossaryTest, TheSourcesTermsListedMarkedAndPutInWithAlt) {
    openProject({{"Captain", "Capitaine", "", false, false},
                 {"Vornak", "", "", true, false},
                 {"Ring", "Anneau", "", false, true}});
    // The third entry is left as its source: untranslated, it lacks no term.
    frmEditor& editor =
        edit({"Le ", "Rien", "Captain"}, {"Captain of Vornak, a ring", "No terms", "Captain"});
    window->mnuViewEntries_Click();
    const QLabel* counts = window->entriesWindow()->lblCounts();
    EXPECT_TRUE(counts->text().endsWith("0 do not fit, 1 lacks a glossary term"))
        << counts->text().toStdString();
    EXPECT_EQ(rows(editor.lstTerms()),
              QStringList({QString::fromUtf8("Alt+1  Captain → Capitaine  missing from the "
                                             "translation"),
                           QString::fromUtf8("Alt+2  Vornak → Vornak (do not translate)  "
                                             "missing from the translation")}));
    EXPECT_FALSE(editor.lstTerms()->isHidden());
    EXPECT_EQ(underlined(editor.txtReference()), QStringList({"Captain", "Vornak"}));
    EXPECT_TRUE(editor.lblMessage()->text().contains("2 glossary terms missing"));

    editor.Text1()->moveCursor(QTextCursor::End);
    QTest::keyClick(editor.Text1(), Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(editor.Text1()->toPlainText(), QString("Le Capitaine"));
    EXPECT_EQ(underlined(editor.txtReference()), QStringList({"Vornak"}));
    EXPECT_TRUE(editor.lblMessage()->text().contains("1 glossary term missing"));
    QTest::keyClicks(editor.Text1(), " de ");
    QTest::keyClick(editor.Text1(), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(editor.Text1()->toPlainText(), QString("Le Capitaine de Vornak"));
    EXPECT_TRUE(underlined(editor.txtReference()).isEmpty());
    EXPECT_FALSE(editor.lblMessage()->text().contains("missing"));
    EXPECT_FALSE(editor.glossary().takeTerm(2)) << "no third term";

    // The next entry has none: the list goes. The entry list counts the text kept.
    editor.keepAndGo(true);
    EXPECT_TRUE(editor.lstTerms()->isHidden());
    EXPECT_TRUE(underlined(editor.txtReference()).isEmpty());
    EXPECT_TRUE(counts->text().endsWith(", 0 lack glossary terms")) << counts->text().toStdString();
    // A term the second translation lacks, added: counted at once.
    Glossary more = session.project().glossary();
    more.terms.push_back({"terms", "termes", "", false, false});
    session.project().setGlossary(std::move(more));
    EXPECT_TRUE(counts->text().endsWith(", 1 lacks a glossary term"))
        << counts->text().toStdString();
    session.project().close();
    EXPECT_TRUE(counts->text().endsWith("do not fit")) << "no glossary, no count";
}

// Ctrl+G: the words selected in the source are the new term's source, those of the text its
// target; accepted, the term is the project's (written beside it: the session's tests) and listed
// at once. Without a project it says that a glossary belongs to one.
TEST_F(GlossaryTest, CtrlGAddsTheSelectedWords) {
    frmEditor& editor = edit({"Le capitaine"}, {"The captain"});
    prompts.clearLog();
    QTest::keyClick(editor.Text1(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(notices(), 1);
    EXPECT_EQ(lastShown().text, frmAddTerm::NoProjectText());

    openProject();
    QTextCursor source(editor.txtReference()->document());
    source.setPosition(4);
    source.setPosition(11, QTextCursor::KeepAnchor);
    editor.txtReference()->setTextCursor(source);
    QTextCursor text(editor.Text1()->document());
    text.setPosition(3);
    text.setPosition(12, QTextCursor::KeepAnchor);
    editor.Text1()->setTextCursor(text);
    QTest::keyClick(editor.Text1(), Qt::Key_G, Qt::ControlModifier);
    auto* dialog = editor.findChild<frmAddTerm*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->txtSource()->text(), QString("captain"));
    EXPECT_EQ(dialog->txtTarget()->text(), QString("capitaine"));
    dialog->txtNote()->setText("The ship's");
    dialog->accept();
    ASSERT_EQ(session.project().glossary().terms.size(), 1u);
    EXPECT_EQ(session.project().glossary().terms[0],
              (GlossaryTerm{"captain", "capitaine", "The ship's", false, false}));
    EXPECT_EQ(editor.lstTerms()->count(), 1);
}

// Without a project the window says what a glossary belongs to and offers nothing. With one:
// terms added and saved beside the project, exported and imported back the same; a file that
// cannot be read or written is said, and the table and the files stay.
TEST_F(GlossaryTest, TheGlossaryWindowImportsExportsAndSaves) {
    window->mnuEditGlossary_Click();
    auto& glossary = *window->findChild<frmGlossary*>();
    EXPECT_EQ(glossary.lblProject()->text(), frmAddTerm::NoProjectText());
    EXPECT_FALSE(glossary.findChild<QPushButton*>("cmdImport")->isEnabled());
    EXPECT_FALSE(glossary.tblTerms()->isEnabled());

    openProject();
    EXPECT_TRUE(glossary.findChild<QPushButton*>("cmdImport")->isEnabled());
    QTableWidget* table = glossary.tblTerms();
    const auto put = [&](int row, const char* source, const char* target, bool doNot) {
        table->item(row, frmGlossary::Source)->setText(QString::fromUtf8(source));
        table->item(row, frmGlossary::Target)->setText(QString::fromUtf8(target));
        table->item(row, frmGlossary::DoNotTranslate)
            ->setCheckState(doNot ? Qt::Checked : Qt::Unchecked);
    };
    glossary.cmdAdd_Click();
    put(0, "the Captain", "le Capitaine", false);
    glossary.cmdAdd_Click();
    put(1, "Vornak", "", true);
    glossary.cmdAdd_Click(); // left empty: no term
    EXPECT_TRUE(glossary.changed());
    ASSERT_TRUE(glossary.cmdSave_Click());
    const std::vector<GlossaryTerm> terms{{"the Captain", "le Capitaine", "", false, false},
                                          {"Vornak", "", "", true, false}};
    EXPECT_EQ(session.project().glossary().terms, terms);
    EXPECT_FALSE(glossary.changed());

    // The format by the name (each format's own round trip: the glossary file's tests).
    const QString exported = QString::fromStdString(dir.file("out.tbx"));
    prompts.chooseFile(exported);
    glossary.cmdExport_Click();
    auto read = ReadGlossaryFile(realFileSystem(), exported.toStdString(), "en", "fr");
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read->glossary.terms, terms);
    // Imported back, nothing is new.
    prompts.chooseFile(exported);
    glossary.cmdImport_Click();
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_TRUE(lastShown().text.startsWith("0 of 2 terms added"));
    EXPECT_EQ(notices(), 1);

    // A damaged file, and a folder that is not there: said, nothing changed.
    prompts.clearLog();
    const std::string damaged = dir.write("damaged.tbx", "<martif><text><body><termEntry>");
    prompts.chooseFile(QString::fromStdString(damaged));
    glossary.cmdImport_Click();
    ASSERT_EQ(notices(), 1);
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_EQ(table->rowCount(), 2);
    prompts.chooseFile(QString::fromStdString(dir.file("missing/out.tsv")));
    glossary.cmdExport_Click();
    ASSERT_EQ(notices(), 2);
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);

    // A new term, Escape: asked, kept unsaved with No, the table back to the project's.
    glossary.cmdAdd_Click();
    put(2, "Ring", "Anneau", false);
    prompts.answer(Answer::No);
    glossary.reject();
    EXPECT_FALSE(glossary.isVisible());
    EXPECT_EQ(session.project().glossary().terms, terms);
    window->mnuEditGlossary_Click();
    EXPECT_EQ(table->rowCount(), 2);
}

class ConcordanceTest : public GlossaryTest {
protected:
    // A ZYN 2 archive: EN_000.DIA (item 7), FR_000.DIA (37), DE_000.DIA (67); FR_000.DIA open.
    void SetUp() override {
        GlossaryTest::SetUp();
        const std::map<int, std::string> texts = {
            {7, TextFileBuilder(2).entry("The Captain waits.").entry("Captains all").data()},
            {37, TextFileBuilder(2).entry("Le Capitaine attend.").entry("Les @ capitaines").data()},
            {67, TextFileBuilder(2).entry("Der Captain wartet.").data()}};
        openItem(dir.write("text.hqr", ItemsArchive(texts)), 37);
        window->mnuEditFindInArchive_Click();
        find = window->findChild<frmFindArchive*>();
    }

    // Each row: item, entry, source, translation.
    QStringList search(const char* text, const QString& scope, bool wholeWords) {
        find->cboScope()->setCurrentIndex(find->cboScope()->findText(scope));
        find->chkWholeWords()->setChecked(wholeWords);
        find->txtFind()->setText(QString::fromUtf8(text));
        find->cmdFind_Click();
        QStringList said;
        for (int i = 0; i < find->lstResults()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = find->lstResults()->topLevelItem(i);
            said << row->text(0) + ' ' + row->text(1) + ": " + row->text(2) + " | " + row->text(3);
        }
        return said;
    }

    frmFindArchive* find = nullptr;
};

// Without a project: English and the open bank's language, or all; whole words; each hit a line,
// beside its entry in the other language on one line; Enter on a result opens its bank at its
// entry. With a project its languages are the pair, whatever bank is open.
TEST_F(ConcordanceTest, FindInArchiveSearchesALanguageByWholeWordsSideBySide) {
    EXPECT_EQ(find->cboScope()->currentText(), QString("All languages"));
    EXPECT_EQ(search("captain", "Source language (EN)", false),
              QStringList({"EN_000.DIA 1: The Captain waits. | Le Capitaine attend.",
                           "EN_000.DIA 2: Captains all | Les / capitaines"}));
    EXPECT_EQ(search("capitaines", "Target language (FR)", true),
              QStringList({"FR_000.DIA 2: Captains all | capitaines"}));
    EXPECT_EQ(search("captain", "All languages", true),
              QStringList({"EN_000.DIA 1: The Captain waits. | Le Capitaine attend.",
                           "DE_000.DIA 1: The Captain waits. | Der Captain wartet."}));

    // Enter on the second result: the German bank, its first entry.
    find->lstResults()->setFocus();
    find->lstResults()->setCurrentItem(find->lstResults()->topLevelItem(1));
    QTest::keyClick(find->lstResults(), Qt::Key_Return);
    EXPECT_EQ(session.origin().ArchiveItem, 67);
    EXPECT_EQ(session.currentEntry(), 0);
    EXPECT_EQ(find->lstResults()->topLevelItemCount(), 2);
    EXPECT_EQ(find->lstResults()->currentItem(), find->lstResults()->topLevelItem(1))
        << "opened, not searched again";

    TranslationProject german = FrenchProject();
    german.targetLanguage = 2;
    ASSERT_TRUE(session.project().create(dir.file("de.zyp"), german));
    EXPECT_EQ(search("captain", "Target language (DE)", false),
              QStringList({"DE_000.DIA 1: The Captain waits. | Der Captain wartet."}));
}

} // namespace
} // namespace zyn::test
