#include "support/scriptedprompts.h"

#include "support/qtapplication.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace zyn::test {

Prompts::Answer ScriptedPrompts::ask(Kind kind, const QString& title, const QString& text,
                                     Answer preferred) {
    shown_.push_back({kind, title, text, Icon::Question, {}, preferred});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Answer::No;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    EXPECT_TRUE(kind == Kind::YesNoCancel || answer != Answer::Cancel) << "Yes/No has no Cancel";
    return answer;
}

QString ScriptedPrompts::choose(Kind kind, const FileDialog& dialog) {
    shown_.push_back({kind, dialog.title, dialog.title, Icon::None, dialog, Answer::Yes});
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << dialog.title.toStdString();
        return {};
    }
    const QString path = files_.front();
    files_.pop_front();
    return path;
}

int ScriptedPrompts::chooseItem(QWidget*, const QString& title, const QString& text,
                                const QStringList& items, int current) {
    shown_.push_back({Kind::Choice,
                      title,
                      text,
                      Icon::Question,
                      {title,
                       items.join(QLatin1Char('\n')),
                       QString::number(current),
                       {},
                       Prompts::FileKind::Text},
                      Answer::Yes});
    if (items_.empty()) {
        ADD_FAILURE() << "unexpected list: " << text.toStdString();
        return -1;
    }
    const int item = items_.front();
    items_.pop_front();
    return item;
}

void ensureApplication() {
    ensureApplicationOf<QApplication>();
}

} // namespace zyn::test
