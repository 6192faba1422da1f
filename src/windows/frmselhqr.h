#pragma once

// The item dialog of Open from HQR and Save to HQR: lists the items of the chosen archive under
// their numbers and names, lets the user check one ".DIA" item, and loads it as the document or
// saves the document into it. It opens with the filter above the list taking the keys: typing
// narrows the list by item number, name or language, Enter loads (or saves) the item chosen or
// the first one shown, Down goes into the list; a double-click on an item loads it.
//
// The chosen archive, its index and the checked item stay with the dialog until a Load or Save
// succeeds. Until then the open document keeps describing the archive the document came from,
// so that cancelling the dialog, or saving the document from the main window meanwhile, can
// never write the document into an archive or item it does not belong to.

#include "archive/archiveindex.h"
#include "windows/prompts.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zyn {

class DocumentSession;
struct ArchiveFlow;

class frmSelHQR : public QDialog {
    Q_OBJECT
public:
    frmSelHQR(DocumentSession& session, Prompts& prompts, QWidget* parent);

    // Sets the dialog up for the archive at archivePath, whose index the caller has read, in
    // the mode of SaveMode, and shows it without blocking its parent.
    void openFor(const std::string& archivePath, ArchiveIndex index);
    // Loads item of that archive as Load does once it is checked, without showing the dialog
    // and without the save question, which the caller has asked.
    void loadItem(const std::string& archivePath, ArchiveIndex index, int item);

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QListWidget* List1() const { return list1_; }
    QLineEdit* txtFilter() const { return filter_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }

public slots:
    // A click on item, or its check mark changed by the user.
    void List1_ItemCheck(int item);
    void Command1_Click();
    void Command2_Click();

protected:
    // Esc and the close box cancel, as Command2 does.
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUp();
    void fillList();
    // Whether the item of row answers every word of the filter.
    bool itemShown(int row, const QStringList& words) const;
    void applyFilter();
    // The first row the filter shows, of an item that can be loaded if asked; -1 if none.
    int firstShownItem(bool loadable) const;
    bool isLoadable(int row) const;
    // Checks the item of row and loads (saves) it, as a double-click does.
    void chooseItem(int row);
    bool load(bool askFirst = true);
    bool save();
    // Done with the archive of this opening: the dialog hides and lets go of its index.
    void finish();
    void showFailure(const std::string& message, bool notice);

    DocumentSession& session_;
    Prompts& prompts_;
    ArchiveFlow& flow_;
    std::string archivePath_;
    ArchiveIndex index_;
    std::int16_t selection_ = 0;
    bool accepted_ = false;

    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QListWidget* list1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace zyn
