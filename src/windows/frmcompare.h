#pragma once

// View > Compare with...: chooses the reference document shown beside the current one. For a
// document from a text archive the list offers the archive's dialogue items, the same bank in
// another language chosen; File... takes any loose text file, or another archive whose items
// the list then offers.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "windows/prompts.h"

#include <QDialog>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace zyn {

class DocumentSession;

class frmCompare final : public QDialog {
    Q_OBJECT
public:
    frmCompare(DocumentSession& session, Prompts& prompts, QWidget* parent);

    // Fills the list from the document's archive, if it has one, and shows the dialog.
    void start();

    QListWidget* lstSources() const { return list_; }
    QPushButton* cmdCompare() const { return compare_; }
    QPushButton* cmdFile() const { return file_; }
    // The item a row of the list stands for.
    int itemOfRow(int row) const;

public slots:
    // Reads the chosen item as the reference document.
    void cmdCompare_Click();
    // Asks for a loose text file (read at once) or an archive (listed).
    void cmdFile_Click();

private:
    // Lists the dialogue items of the archive at path with index; the row of preferred chosen.
    void listArchive(const std::string& path, ArchiveIndex index, int preferred);

    DocumentSession& session_;
    Prompts& prompts_;
    std::string archivePath_;
    ArchiveIndex index_;
    ArchiveFlow flow_;
    QLabel* label_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* file_ = nullptr;
};

} // namespace zyn
