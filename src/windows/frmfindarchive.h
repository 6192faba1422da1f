#pragma once

// Edit > Find in Archive...: searches every dialogue item of the document's archive, or of one
// chosen, and lists what it found; opening a result loads that item and shows the entry.

#include "flows/archivesearch.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zyn {

class frmText;

class frmFindArchive final : public QDialog {
    Q_OBJECT
public:
    explicit frmFindArchive(frmText& main);

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

    frmText& main_;
    std::string archivePath_;
    ArchiveIndex index_;
    ArchiveFlow flow_;
    std::vector<ArchiveHit> hits_;
    QLabel* label_ = nullptr;
    QLineEdit* find_ = nullptr;
    QTreeWidget* results_ = nullptr;
};

} // namespace zyn
