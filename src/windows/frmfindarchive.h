#pragma once

// Edit > Find in Archive...: searches every dialogue item of the document's archive, or of one
// chosen, folding case over the letters of the character set as Find does, and lists what it
// found; opening a result loads that item and makes the entry current.

#include "flows/archivesearch.h"
#include "windows/prompts.h"

#include <QDialog>
#include <string>
#include <vector>

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
    const std::vector<ArchiveHit>& hits() const { return hits_; }

public slots:
    void cmdFind_Click();
    // Asks for another archive to search.
    void cmdArchive_Click();
    // Loads the item of result row (after the save question) and shows its entry.
    void openResult(int row);

private:
    bool useArchive(const std::string& path, ArchiveIndex index);

    DocumentSession& session_;
    Prompts& prompts_;
    std::string archivePath_;
    ArchiveIndex index_;
    ArchiveFlow flow_;
    std::vector<ArchiveHit> hits_;
    QLabel* label_ = nullptr;
    QLineEdit* find_ = nullptr;
    QTreeWidget* results_ = nullptr;
};

} // namespace zyn
