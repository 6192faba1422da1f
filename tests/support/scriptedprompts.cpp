#include "support/scriptedprompts.h"

#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>

namespace zyn::test {

ScriptedPrompts& ScriptedPrompts::answer(Answer answer) {
    answers_.push_back(answer);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::chooseFile(const QString& path) {
    files_.push_back(path);
    return *this;
}

QStringList ScriptedPrompts::texts() const {
    QStringList result;
    for (const Shown& box : shown_)
        result << box.text;
    return result;
}

Prompts::Answer ScriptedPrompts::nextAnswer(const QString& text, Answer fallback) {
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return fallback;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedPrompts::nextFile(const QString& title) {
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << title.toStdString();
        return {};
    }
    const QString path = files_.front();
    files_.pop_front();
    return path;
}

Prompts::Answer ScriptedPrompts::askYesNo(QWidget*, const QString& title, const QString& text) {
    shown_.push_back({Kind::YesNo, title, text, {"Yes", "No"}, Icon::Question, {}});
    const Answer answer = nextAnswer(text, Answer::No);
    EXPECT_NE(answer, Answer::Cancel) << "a Yes/No box has no Cancel";
    return answer;
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(QWidget*, const QString& title,
                                                const QString& text) {
    shown_.push_back({Kind::YesNoCancel, title, text, {"Yes", "No", "Cancel"}, Icon::Question, {}});
    return nextAnswer(text, Answer::Cancel);
}

void ScriptedPrompts::notify(QWidget*, const QString& title, const QString& text, Icon icon) {
    shown_.push_back({Kind::Notice, title, text, {"OK"}, icon, {}});
}

QString ScriptedPrompts::openFileName(QWidget*, const FileDialog& dialog) {
    shown_.push_back({Kind::OpenFile, dialog.title, dialog.title, {}, Icon::None, dialog});
    return nextFile(dialog.title);
}

QString ScriptedPrompts::saveFileName(QWidget*, const FileDialog& dialog) {
    shown_.push_back({Kind::SaveFile, dialog.title, dialog.title, {}, Icon::None, dialog});
    return nextFile(dialog.title);
}

void ensureApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zyntests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

} // namespace zyn::test
