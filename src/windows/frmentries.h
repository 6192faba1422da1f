#pragma once

// The entry list: one row per entry of the session's document (number, type, text on one line,
// reference text, status, state and a mark of its note), a text filter and a status filter, and
// the counts of entries in each state and of entries that do not fit. The rows follow the session's
// document and its current entry, and choosing a row makes that entry current.

#include "session/documentsession.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace zyn {

class EntryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Type, Text, Reference, Status, State, Note, ColumnCount };

    explicit EntryModel(DocumentSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const EntryStatus& status(int row) const { return status_[static_cast<std::size_t>(row)]; }
    // Reads the document again, or one entry of it.
    void refresh();
    void refreshEntries(int first, int last);
    // Only whether each entry has a suggestion, which a change to any entry may change.
    void refreshSuggestions();

private:
    DocumentSession& session_;
    std::vector<EntryStatus> status_;
};

// The rows of the entries the session's entry filter shows.
class EntryFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    EntryFilter(const DocumentSession& session, QObject* parent)
        : QSortFilterProxyModel(parent), session_(session) {}
    // The session's filter changed.
    void refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        return session_.entryShown(row);
    }

private:
    const DocumentSession& session_;
};

class frmEntries final : public QWidget {
    Q_OBJECT
public:
    // The list is the content of the main window's dock "dockEntries".
    frmEntries(DocumentSession& session, QWidget* parent);

    // The rows take the keys.
    void takeKeys();
    // The keys are in the list or its filter.
    bool hasKeys() const;

    QTableView* lstEntries() const { return view_; }
    QLineEdit* txtFilter() const { return filter_; }
    QComboBox* cboStatus() const { return status_; }
    // The status list holds the filters in their order.
    StatusFilter statusFilter() const;
    void setStatusFilter(StatusFilter filter);
    QLabel* lblCounts() const { return counts_; }
    EntryModel& model() { return *model_; }
    EntryFilter& proxy() { return *proxy_; }
    // The entry of the view's current row, or -1.
    int currentEntry() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Enter and F2: the string editor on the selected row's entry, never on one the filter
    // hides.
    void editSelected();
    void documentChanged();
    void entriesChanged(int first, int last);
    void selectEntry(int entry);
    void rowChosen(const QModelIndex& current);
    void applyFilter();
    void updateCounts();

    DocumentSession& session_;
    EntryModel* model_ = nullptr;
    EntryFilter* proxy_ = nullptr;
    QTableView* view_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QComboBox* status_ = nullptr;
    QLabel* counts_ = nullptr;
    bool following_ = false; // the selection is being set from the main window
};

} // namespace zyn
