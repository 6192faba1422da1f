#pragma once

// The project's glossary in the string editor: under the reference, the terms its source holds
// with their translations, numbered, Alt+1 to Alt+9 putting one in at the cursor; each term
// whose translation the text lacks underlined in the source and marked in the list, and
// counted as a finding; Ctrl+G adds the selected words as a new term.

#include "session/sessionglossary.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace zyn {

class DisplayCodec;
class DocumentSession;
class Prompts;

class EditorGlossary final : public QObject {
    Q_OBJECT
public:
    // type puts letters in at the box's cursor as typing them would. The keys are actions of
    // window, so that they are listed with the program's other keys.
    EditorGlossary(DocumentSession& session, Prompts& prompts, const DisplayCodec& codec,
                   QPlainTextEdit& source, QPlainTextEdit& box, QListWidget& list, QWidget& window,
                   std::function<void(const QString&)> type);

    // The terms of entry against the text as it is now: the list, the marks, the finding.
    void show(int entry, const std::string& text);
    // The text typed or changed: which terms are missing.
    void textChanged(const std::string& text);
    const std::vector<EntryTerm>& terms() const { return terms_; }
    // "1 glossary term missing"; empty while none is.
    QString finding() const;
    // Alt+1 to Alt+9: the translation of term index (from 0) of the list at the cursor; false
    // when there is no such term.
    bool takeTerm(int index);
    // Ctrl+G: the words selected in the source or the text as a new term, in a small dialog.
    void addTerm();
    // A key of these: its action triggered.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

signals:
    // The count of missing terms changed.
    void findingChanged();

private:
    void refresh();
    void showList();
    void markSource();
    // A selection of a box as letters of the character set, in UTF-8.
    std::string selectedLetters(const QPlainTextEdit& box) const;

    DocumentSession& session_;
    Prompts& prompts_;
    const DisplayCodec& codec_;
    QPlainTextEdit& source_;
    QPlainTextEdit& box_;
    QListWidget& list_;
    QWidget& window_;
    std::function<void(const QString&)> type_;
    int entry_ = -1;
    std::string text_;
    std::vector<EntryTerm> terms_;
    QString finding_;
    std::vector<QAction*> termKeys_;
    QAction* addKey_ = nullptr;
};

} // namespace zyn
