#pragma once

// Prompts for tests: answers and file names are taken from queues filled by the test, and every
// box and dialog shown is logged. A box for which nothing was scripted fails the test.

#include "windows/prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace zyn::test {

class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { YesNo, YesNoCancel, Notice, OpenFile, SaveFile };

    struct Shown {
        Kind kind;
        QString title;
        QString text;
        QStringList buttons; // e.g. {"Yes", "No"}; the first is the default button
        Icon icon;
        FileDialog dialog; // for file dialogs
    };

    // Queue answers for the question boxes, in the order they will be asked.
    ScriptedPrompts& answer(Answer answer);
    // Queue the result of the next file dialog (an empty string cancels it).
    ScriptedPrompts& chooseFile(const QString& path);

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of every box shown, in order (file dialogs give their titles).
    QStringList texts() const;
    void clearLog() { shown_.clear(); }
    // True when every scripted answer and file name has been used.
    bool exhausted() const { return answers_.empty() && files_.empty(); }

    Answer askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override;
    void notify(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    QString openFileName(QWidget* parent, const FileDialog& dialog) override;
    QString saveFileName(QWidget* parent, const FileDialog& dialog) override;

private:
    Answer nextAnswer(const QString& text, Answer fallback);
    QString nextFile(const QString& title);

    std::deque<Answer> answers_;
    std::deque<QString> files_;
    std::vector<Shown> shown_;
};

// The application object GUI tests need, made once; the offscreen platform unless the
// environment chose another.
void ensureApplication();

} // namespace zyn::test
