#pragma once

// The entry list: one row per entry of the session's document (number, type, text on one line,
// reference text, status), a text filter and a status filter, and the counts of translated
// entries and of entries that do not fit. The rows follow the session's document and its current
// entry, and choosing a row makes that entry current.

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
    enum Column { Number, Type, Text, Reference, Status, ColumnCount };

    explicit EntryModel(DocumentSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const EntryStatus& status(int row) const { return status_[static_cast<std::size_t>(row)]; }
    // Reads the document again, or one entry of it.
    void refresh();
    void refreshEntries(int first, int last);

private:
    DocumentSession& session_;
    std::vector<EntryStatus> status_;
};

// The status filter's choices, in the order of its list.
enum class StatusFilter { All, Untranslated, Translated, Changed, DoesNotFit };

class EntryFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setFilter(const QString& text, StatusFilter status);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QString text_;
    StatusFilter status_ = StatusFilter::All;
};

class frmEntries final : public QWidget {
    Q_OBJECT
public:
    frmEntries(DocumentSession& session, QWidget* parent);

    // Shown beside main (to its right when the screen has room, else to its left).
    void showBeside(const QWidget& main);

    QTableView* lstEntries() const { return view_; }
    QLineEdit* txtFilter() const { return filter_; }
    QComboBox* cboStatus() const { return status_; }
    QLabel* lblCounts() const { return counts_; }
    EntryModel& model() { return *model_; }
    EntryFilter& proxy() { return *proxy_; }
    // The entry of the view's current row, or -1.
    int currentEntry() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
