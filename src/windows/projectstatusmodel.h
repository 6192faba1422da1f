#pragma once

// The project window's table: one row per bank of the language, filled in as each bank is
// counted, and a totals row that sorting keeps last.

#include "project/bankcounts.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace zyn {

class ProjectStatusModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Bank,
        Entries,
        WordsToDo,
        Untranslated,
        NeedsReview,
        Translated,
        Reviewed,
        DoesNotFit,
        Spelling,
        Findings,
        GlossaryTerms,
        Consistency,
        Progress,
        ColumnCount
    };
    // The number a cell sorts by; -1 for a cell not counted yet.
    static constexpr int SortRole = Qt::UserRole;
    // True on the totals row.
    static constexpr int TotalsRole = Qt::UserRole + 1;
    // The item of the row's bank; -1 on the totals row.
    static constexpr int ItemRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    // The banks to list, by item and name, none counted yet.
    void setBanks(const std::vector<std::pair<int, QString>>& banks);
    void setCounts(int item, const BankCounts& counts);
    // Each counted row's consistency column: its item's number in counts, 0 when absent.
    void setConsistency(const std::map<int, int>& counts);
    // The open bank's item, shown in bold; -1 for none.
    void setCurrent(int item);
    int current() const { return current_; }
    // The row of item, or -1.
    int rowOf(int item) const;
    // Row's counts; zero counts for a row not counted yet.
    BankCounts countsAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        int item = -1;
        QString name;
        std::optional<BankCounts> counts;
    };
    QVariant cell(const BankCounts& counts, int column, int role) const;
    bool isTotals(int row) const { return row == static_cast<int>(rows_.size()); }
    void updateTotals();

    std::vector<Row> rows_;
    BankCounts total_;
    int current_ = -1;
};

// Sorts by the numbers of SortRole, the totals row last in either order.
class TotalsLastProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// The progress column as a bar by words.
class ProgressDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace zyn
