#pragma once

// Prompts for tests: answers and file names are taken from queues filled by the test, and every
// box and dialog shown is logged. A box for which nothing was scripted fails the test.

#include "windows/prompts.h"

#include <QString>
#include <deque>
#include <vector>

namespace zyn::test {

class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { YesNo, YesNoCancel, Notice, OpenFile, SaveFile, Choice };

    struct Shown {
        Kind kind;
        QString title;
        QString text; // for file dialogs, their title
        Icon icon;
        FileDialog dialog;              // for file dialogs
        Answer preferred = Answer::Yes; // the default button of a question
    };

    // Queue answers for the question boxes, in the order they will be asked.
    ScriptedPrompts& answer(Answer answer) {
        answers_.push_back(answer);
        return *this;
    }
    // Queue the result of the next file dialog (an empty string cancels it).
    ScriptedPrompts& chooseFile(const QString& path) {
        files_.push_back(path);
        return *this;
    }

    // Queue the item the next list chooses (-1 cancels it).
    ScriptedPrompts& chooseItem(int item) {
        items_.push_back(item);
        return *this;
    }

    const std::vector<Shown>& shown() const { return shown_; }
    void clearLog() { shown_.clear(); }
    // True when every scripted answer and file name has been used.
    bool exhausted() const { return answers_.empty() && files_.empty() && items_.empty(); }

    Answer askYesNo(QWidget*, const QString& title, const QString& text,
                    Answer preferred = Answer::Yes) override {
        return ask(Kind::YesNo, title, text, preferred);
    }
    Answer askYesNoCancel(QWidget*, const QString& title, const QString& text) override {
        return ask(Kind::YesNoCancel, title, text, Answer::Yes);
    }
    void notify(QWidget*, const QString& title, const QString& text, Icon icon) override {
        shown_.push_back({Kind::Notice, title, text, icon, {}, Answer::Yes});
    }
    QString openFileName(QWidget*, const FileDialog& dialog) override {
        return choose(Kind::OpenFile, dialog);
    }
    QString saveFileName(QWidget*, const FileDialog& dialog) override {
        return choose(Kind::SaveFile, dialog);
    }
    // The list's items are logged in the dialog's filter, one a line.
    int chooseItem(QWidget*, const QString& title, const QString& text, const QStringList& items,
                   int current) override;

private:
    Answer ask(Kind kind, const QString& title, const QString& text, Answer preferred);
    QString choose(Kind kind, const FileDialog& dialog);

    std::deque<Answer> answers_;
    std::deque<QString> files_;
    std::deque<int> items_;
    std::vector<Shown> shown_;
};

// The application object GUI tests need, made once; the offscreen platform unless the
// environment chose another.
void ensureApplication();

} // namespace zyn::test
