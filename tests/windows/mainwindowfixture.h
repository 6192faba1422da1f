#pragma once

// A main window on a session and program state of its own, driven through scripted prompts, and
// the text files the tests open with it.

#include "flows/programstate.h"
#include "session/documentsession.h"
#include "support/archivebuilder.h"
#include "support/scriptedprompts.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "windows/frmentries.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

class MainWindowTest : public ::testing::Test {
protected:
    using Answer = Prompts::Answer;
    using Kind = ScriptedPrompts::Kind;

    static void SetUpTestSuite() { ensureApplication(); }

    void TearDown() override {
        state.Files = &realFileSystem();
        EXPECT_TRUE(prompts.exhausted()) << "scripted answers left over";
    }

    frmText& start(const QString& commandLine = {}) {
        window = std::make_unique<frmText>(session, prompts);
        window->Form_Load(commandLine);
        return *window;
    }

    // A file with the given stored entries; ZYN 2 entries all of type 1 unless types are given.
    std::string writeText(const char* name, int game, const std::vector<std::string>& entries,
                          const std::vector<std::uint8_t>& types = {}) {
        TextFileBuilder builder(game);
        for (std::size_t i = 0; i < entries.size(); ++i)
            builder.entry(entries[i], i < types.size() ? types[i] : 1);
        return dir.write(name, builder.bytes());
    }

    // File Open of path, answering the version question.
    void open(const std::string& path, bool zyn2) {
        prompts.chooseFile(QString::fromStdString(path)).answer(zyn2 ? Answer::Yes : Answer::No);
        window->mnuFileOpen_Click();
    }

    // A ZYN 2 text archive whose FR_000.DIA (item 37) translates EN_000.DIA (item 7); DE_001.DIA
    // (item 69) holds a text too.
    std::string writeArchive(const char* name = "text.hqr") {
        const std::map<int, std::string> texts = {
            {7, TextFileBuilder(2).entry("Hello").entry("Bye").entry("Key").data()},
            {37, TextFileBuilder(2).entry("Bonjour").entry("Bye").entry("").data()},
            {69, TextFileBuilder(2).entry("Ein Schluessel").data()}};
        return dir.write(name, ItemsArchive(texts));
    }
    // Open from HQR of the item of archive.
    void openItem(const std::string& archive, int item) {
        prompts.chooseFile(QString::fromStdString(archive));
        window->mnuFileOpenFromHQR_Click();
        auto& items = *window->findChild<frmSelHQR*>();
        items.List1()->item(item)->setCheckState(Qt::Checked);
        items.Command1_Click();
    }

    // The entry list, shown.
    frmEntries& entries() {
        if (window->entriesDock()->isHidden())
            window->mnuViewEntries_Click();
        return *window->entriesWindow();
    }
    QString cell(int entry, int column) {
        return entries().model().index(entry, column).data().toString();
    }

    // The current entry edited as the string editor hands it back, committed at once.
    void commit(const std::string& text) {
        window->receiveEditedText(text);
        window->Timer1_Timer();
    }

    bool itemEnabled(const char* name) const { return window->menuItem(name)->isEnabled(); }
    bool itemChecked(const char* name) const { return window->menuItem(name)->isChecked(); }
    bool buttonEnabled(int index) const { return window->barButton(index)->isEnabled(); }
    QString selectedEntry() const { return window->Combo2()->currentText(); }
    QString title() const { return window->windowTitle(); }
    std::string titleFor(const std::string& file, int game) const {
        return "ZYN Text File Editor - (" + file + ") - ZYN " + std::to_string(game);
    }
    const ScriptedPrompts::Shown& lastShown() const { return prompts.shown().back(); }

    // The entry shown, as bytes.
    const std::string& shown() const { return window->caption2(); }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
    ScriptedPrompts prompts;
    std::unique_ptr<frmText> window;
};

} // namespace zyn::test
