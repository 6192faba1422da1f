#pragma once

// Extra > Substitutions...: the stand-ins typing, pasting and Replace write for a character
// the character set has no code for. It lists the user's own pairs, which can be added and
// removed, and the program's, and says whether letters with marks become their base letters.
// OK hands them to the session, which the settings remember.

#include "characters/substitutions.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zyn {

class DocumentSession;
class Prompts;

class frmSubstitutions final : public QDialog {
    Q_OBJECT
public:
    frmSubstitutions(DocumentSession& session, Prompts& prompts, QWidget* parent);

    // The user's pairs first, then the program's.
    QTableWidget* tblSubstitutions() const { return table_; }
    QLineEdit* txtLetter() const { return letter_; }
    QLineEdit* txtStandIn() const { return standIn_; }
    QPushButton* cmdAdd() const { return add_; }
    QPushButton* cmdRemove() const { return remove_; }
    QCheckBox* chkBaseLetters() const { return baseLetters_; }

public slots:
    // The character and stand-in typed above the list become one of the user's pairs, in place
    // of one they had for that character.
    void cmdAdd_Click();
    // Takes the chosen pair away, if it is one of the user's.
    void cmdRemove_Click();
    void accept() override;

private:
    void showPairs();

    DocumentSession& session_;
    Prompts& prompts_;
    std::vector<Substitution> own_;
    QTableWidget* table_ = nullptr;
    QLineEdit* letter_ = nullptr;
    QLineEdit* standIn_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QCheckBox* baseLetters_ = nullptr;
};

} // namespace zyn
