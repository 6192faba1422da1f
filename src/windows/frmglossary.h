#pragma once

// Edit > Glossary...: the project's terms in a table (source, target, note, do not translate,
// case-sensitive), added, removed and edited, imported from and exported to TBX, CSV and TSV
// files by their endings. Save writes the glossary beside the project through the safe writer;
// a file that cannot be read or written is said and changes nothing. Without a project the
// window says that a glossary belongs to one and offers nothing else.

#include "project/glossary.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zyn {

class ProjectSession;
class Prompts;

class frmGlossary final : public QDialog {
    Q_OBJECT
public:
    enum Column { Source, Target, Note, DoNotTranslate, CaseSensitive, Columns };

    frmGlossary(ProjectSession& project, Prompts& prompts, QWidget* parent);

    // Shows the project's glossary as it is now.
    void start();

    QLabel* lblProject() const { return label_; }
    QTableWidget* tblTerms() const { return table_; }
    // The terms as the table has them.
    Glossary edited() const;
    // The table differs from the glossary it last showed.
    bool changed() const;

public slots:
    void cmdAdd_Click();
    void cmdRemove_Click();
    // The terms of a chosen file added to the table, those it has already passed over.
    void cmdImport_Click();
    // The table written to a chosen file.
    void cmdExport_Click();
    // The table made the project's glossary and written beside the project; true when it was.
    bool cmdSave_Click();

    // Closing with changes asks whether to save them.
    void reject() override;

private:
    void reload();
    void fill(const Glossary& glossary);
    void addRow(const GlossaryTerm& term);
    void showProject();
    void say(const QString& text);

    ProjectSession& project_;
    Prompts& prompts_;
    QLabel* label_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::vector<GlossaryTerm> shown_;
};

} // namespace zyn
