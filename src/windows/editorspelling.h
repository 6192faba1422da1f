#pragma once

// Spell checking where the user edits: in the string editor's text box, the words the
// dictionary does not know underlined in red as they are typed, and in its context menu the
// dictionary's suggestions and "Add to dictionary"; a missing dictionary said in the line
// below the box. And the menu that chooses the language.

#include <QObject>
#include <QString>
#include <QTextCursor>
#include <functional>
#include <string>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QSyntaxHighlighter;
class QWidget;

namespace zyn {

class DisplayCodec;
class DocumentSession;

class EditorSpelling final : public QObject {
    Q_OBJECT
public:
    // replace puts a word in place of the box's selection, as typing it would.
    EditorSpelling(DocumentSession& session, const DisplayCodec& codec, QPlainTextEdit& box,
                   QLabel& message, std::function<void(const QString&)> replace);

    // The entry's source text, whose words as they stand there are names, not misspellings.
    void setSource(const std::string* source);
    // Says in the message line that the language has no dictionary, and which package brings
    // it.
    void showProblem();
    // The unknown word at a place of the box's text, selected by the cursor; a null cursor when
    // there is none there.
    QTextCursor unknownWordAt(int position) const;
    // The box's context menu for a place of its text: the word's suggestions and "Add to
    // dictionary" first when the word there is unknown.
    QMenu* contextMenu(int position);

private:
    void showMenu(const QPoint& at);
    void recheck();

    DocumentSession& session_;
    const DisplayCodec& codec_;
    QPlainTextEdit& box_;
    QLabel& message_;
    // What the last Add to dictionary that failed said, until one succeeds.
    QString shownFailure_;
    std::function<void(const QString&)> replace_;
    std::string source_;
    QSyntaxHighlighter* highlighter_ = nullptr;
};

// Extra > Spelling: the bank's language, each language, or none.
QMenu* MakeSpellingMenu(DocumentSession& session, QWidget* parent);

} // namespace zyn
