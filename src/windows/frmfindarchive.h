#pragma once

// Edit > Find in Archive...: searches every dialogue item of the document's archive, or of one
// chosen, folding case over the letters of the character set as Find does, and lists what it
// found; opening a result (Enter, a double-click) loads that item and makes the entry current.
// A concordance: the project's source or target language searched (without a project, English
// and the open bank's language), or all; whole words as the glossary matches them; each hit
// beside the same entry of the same bank in the other language of the pair.

#include "flows/archivesearch.h"
#include "windows/prompts.h"

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zyn {

class DocumentSession;

class frmFindArchive final : public QDialog {
    Q_OBJECT
public:
    frmFindArchive(DocumentSession& session, Prompts& prompts, QWidget* parent);

    // Takes the document's archive, if it has one, and shows the window.
    void start();

    QLineEdit* txtFind() const { return find_; }
    QTreeWidget* lstResults() const { return results_; }
    enum Column { Item, Entry, Source, Translation };
    // The languages searched: the pair's source, its target, or all.
    QComboBox* cboScope() const { return scope_; }
    QCheckBox* chkWholeWords() const { return wholeWords_; }
    const std::vector<ArchiveHit>& hits() const { return hits_; }

public slots:
    void cmdFind_Click();
    // Asks for another archive to search.
    void cmdArchive_Click();
    // Loads the item of result row (after the save question) and shows its entry.
    void openResult(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool useArchive(const std::string& path, ArchiveIndex index);
    // The language pair of the project, else English and the open bank's; the scopes offered.
    void showScopes();
    ArchiveSearchScope scope() const;

    DocumentSession& session_;
    Prompts& prompts_;
    std::string archivePath_;
    ArchiveIndex index_;
    ArchiveFlow flow_;
    std::vector<ArchiveHit> hits_;
    QLabel* label_ = nullptr;
    QLineEdit* find_ = nullptr;
    QTreeWidget* results_ = nullptr;
    QComboBox* scope_ = nullptr;
    QCheckBox* wholeWords_ = nullptr;
    int source_ = 0, target_ = -1;
};

} // namespace zyn
