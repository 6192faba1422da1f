#pragma once

// Edit > Translation memory sources...: the archives and PO files whose translations the
// memory holds besides those of the document's archive. OK hands the list to the session,
// which the memory follows and the settings remember.

#include <QDialog>

class QListWidget;
class QPushButton;

namespace zyn {

class DocumentSession;
class Prompts;

class frmMemorySources final : public QDialog {
    Q_OBJECT
public:
    frmMemorySources(DocumentSession& session, Prompts& prompts, QWidget* parent);

    QListWidget* lstSources() const { return list_; }
    QPushButton* cmdAdd() const { return add_; }
    QPushButton* cmdRemove() const { return remove_; }

public slots:
    // Asks for an archive or a PO file and lists it, once.
    void cmdAdd_Click();
    void cmdRemove_Click();
    void accept() override;

private:
    DocumentSession& session_;
    Prompts& prompts_;
    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace zyn
