#pragma once

// The main window with a document open, the string editor on one of its entries, and the keys
// and remapping files the editor tests use.

#include "mainwindowfixture.h"
#include "windows/frmeditor.h"
#include "windows/frmtable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>
#include <map>

namespace zyn::test {

class EditorTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // A ZYN 1 document of the given entries, opened, with the editor on entry index.
    frmEditor& editEntry(const std::vector<std::string>& entries, int index = 0) {
        // A new name each time: opening the file already loaded would not read it again.
        const std::string name = "edit" + std::to_string(++opened_) + ".zyt";
        open(writeText(name.c_str(), 1, entries), false);
        window->selectEntry(index);
        window->barButton(12)->click();
        frmEditor* editor = window->editor();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    frmEditor& editor() const { return *window->editor(); }
    QPlainTextEdit& box() const { return *editor().Text1(); }

    // Moves the caret to the end of the text, or selects from..to.
    void caretAtEnd() { box().moveCursor(QTextCursor::End); }
    void select(int from, int to) {
        QTextCursor cursor = box().textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        box().setTextCursor(cursor);
    }

    // One key press as the keyboard delivers it: the key and the text it produces.
    void press(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&box(), &event);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(&box(), &release);
    }
    void type(const QString& text) {
        for (QChar c : text)
            press(Qt::Key_unknown, QString(c));
    }

    // Closes the editor and lets the main window's timer commit the text.
    void closeEditor() {
        editor().close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    }

    // A ".cmp" table: identity except for the given slots, loaded through the menu.
    void loadTable(const std::map<int, int>& changes) {
        std::string bytes;
        for (int k = 0; k < 256; ++k)
            bytes.push_back(static_cast<char>(changes.count(k) ? changes.at(k) : k));
        prompts.chooseFile(QString::fromStdString(dir.write("table.cmp", bytes)));
        window->mnuExtraLoadChr_Click();
        ASSERT_TRUE(state.RemapLoaded);
    }

    frmTable& characterMap() {
        editor().Command1_Click();
        return *editor().characterMap();
    }

private:
    int opened_ = 0;
};

} // namespace zyn::test
