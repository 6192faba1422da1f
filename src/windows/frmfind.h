#pragma once

// The Find window and the Replace window: small windows that search the session's entries.
// Enter finds the next entry holding the text, Escape closes the window.

#include "windows/prompts.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zyn {

class DocumentSession;

// Makes the next (or previous) entry holding the session's search text current, wrapping; says
// so when none does. True when one did.
bool findNextEntry(DocumentSession& session, Prompts& prompts, QWidget* asking, bool forward);

class frmFind : public QWidget {
    Q_OBJECT
public:
    // replace adds the replacement's field and the Replace and Replace All buttons.
    frmFind(DocumentSession& session, Prompts& prompts, bool replace, QWidget* parent);

    QLineEdit* Text1() const { return text1_; } // what to find
    QLineEdit* Text2() const { return text2_; } // the replacement; null in the Find window
    // Below the replacement, the stand-ins it is written with for characters the set lacks.
    QLabel* lblStandIns() const { return standIns_; }
    QCheckBox* Check1() const { return check1_; } // match case
    QCheckBox* Check2() const { return check2_; } // whole words

    // Shown above its parent with the focus in the text field, holding the last search.
    void open();

public slots:
    void findNext();
    void findPrevious();
    void replace();
    void replaceAll();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeSearch();
    // The replacement as the character set writes it; false, and why, for a character it lacks.
    bool replacementTyped();

    DocumentSession& session_;
    Prompts& prompts_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLabel* standIns_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
};

} // namespace zyn
