#pragma once

// Ctrl+G in the string editor: a new glossary term, prefilled with the words selected, added to
// the project's glossary and written beside the project when accepted.

#include "project/glossary.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace zyn {

class ProjectSession;
class Prompts;

class frmAddTerm final : public QDialog {
    Q_OBJECT
public:
    frmAddTerm(ProjectSession& project, Prompts& prompts, const GlossaryTerm& term,
               QWidget* parent);

    // What the glossary's windows say while no project is open.
    static QString NoProjectText();

    QLineEdit* txtSource() const { return source_; }
    QLineEdit* txtTarget() const { return target_; }
    QLineEdit* txtNote() const { return note_; }
    QCheckBox* chkDoNotTranslate() const { return doNotTranslate_; }
    QCheckBox* chkCaseSensitive() const { return caseSensitive_; }

public slots:
    // Adds the term; a term without a source, or a glossary that cannot be written, is said
    // and the dialog stays.
    void accept() override;

private:
    ProjectSession& project_;
    Prompts& prompts_;
    QLineEdit* source_ = nullptr;
    QLineEdit* target_ = nullptr;
    QLineEdit* note_ = nullptr;
    QCheckBox* doNotTranslate_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
};

} // namespace zyn
