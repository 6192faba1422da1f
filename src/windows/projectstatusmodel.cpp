#include "windows/projectstatusmodel.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QStyleOptionProgressBar>

namespace zyn {

void ProjectStatusModel::setBanks(const std::vector<std::pair<int, QString>>& banks) {
    beginResetModel();
    rows_.clear();
    for (const auto& [item, name] : banks)
        rows_.push_back({item, name, std::nullopt});
    updateTotals();
    endResetModel();
}

void ProjectStatusModel::setCounts(int item, const BankCounts& counts) {
    const int row = rowOf(item);
    if (row < 0)
        return;
    rows_[std::size_t(row)].counts = counts;
    updateTotals();
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    const int totals = static_cast<int>(rows_.size());
    emit dataChanged(index(totals, 0), index(totals, ColumnCount - 1));
}

void ProjectStatusModel::setConsistency(const std::map<int, int>& counts) {
    for (Row& row : rows_)
        if (row.counts) {
            const auto found = counts.find(row.item);
            row.counts->consistency = found == counts.end() ? 0 : found->second;
        }
    updateTotals();
    if (!rows_.empty())
        emit dataChanged(index(0, Consistency), index(static_cast<int>(rows_.size()), Consistency));
}

void ProjectStatusModel::setCurrent(int item) {
    if (item == current_)
        return;
    const int before = rowOf(current_);
    current_ = item;
    for (const int row : {before, rowOf(item)})
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::FontRole});
}

int ProjectStatusModel::rowOf(int item) const {
    for (std::size_t row = 0; row < rows_.size(); ++row)
        if (rows_[row].item == item)
            return static_cast<int>(row);
    return -1;
}

BankCounts ProjectStatusModel::countsAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return {};
    return rows_[std::size_t(row)].counts.value_or(BankCounts{});
}

void ProjectStatusModel::updateTotals() {
    std::vector<BankCounts> counted;
    for (const Row& row : rows_)
        if (row.counts)
            counted.push_back(*row.counts);
    total_ = TotalCounts(counted);
}

int ProjectStatusModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || rows_.empty() ? 0 : static_cast<int>(rows_.size()) + 1;
}

int ProjectStatusModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProjectStatusModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row(), column = index.column();
    if (role == TotalsRole)
        return isTotals(row);
    if (role == ItemRole)
        return isTotals(row) ? -1 : rows_[std::size_t(row)].item;
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(isTotals(row) || rows_[std::size_t(row)].item == current_);
        return font;
    }
    if (role == Qt::TextAlignmentRole && column != Bank)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (column == Bank && (role == Qt::DisplayRole || role == SortRole))
        return isTotals(row) ? QStringLiteral("Total") : rows_[std::size_t(row)].name;
    if (isTotals(row))
        return cell(total_, column, role);
    const std::optional<BankCounts>& counts = rows_[std::size_t(row)].counts;
    if (!counts)
        return role == SortRole ? QVariant(-1) : QVariant();
    return cell(*counts, column, role);
}

QVariant ProjectStatusModel::cell(const BankCounts& counts, int column, int role) const {
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    const auto optional = [role](const std::optional<int>& value) {
        return value ? QVariant(*value) : role == SortRole ? QVariant(-1) : QVariant("-");
    };
    switch (column) {
    case Entries:
        return counts.entries;
    case WordsToDo:
        return counts.wordsToDo;
    case Untranslated:
        return counts.count(EntryState::Untranslated);
    case NeedsReview:
        return counts.count(EntryState::NeedsReview);
    case Translated:
        return counts.count(EntryState::Translated);
    case Reviewed:
        return counts.count(EntryState::Reviewed);
    case DoesNotFit:
        return optional(counts.doesNotFit);
    case Spelling:
        return optional(counts.spelling);
    case Findings:
        return optional(counts.checkFindings);
    case GlossaryTerms:
        return optional(counts.glossary);
    case Consistency:
        // Empty until every bank is read: the column needs them all.
        return counts.consistency ? QVariant(*counts.consistency)
               : role == SortRole ? QVariant(-1)
                                  : QVariant();
    case Progress:
        return role == SortRole ? QVariant(counts.progress())
                                : QVariant(QStringLiteral("%1%").arg(counts.progress()));
    default:
        return {};
    }
}

QVariant ProjectStatusModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == Consistency)
        return QStringLiteral("Entries translated unlike the same source elsewhere in the "
                              "language, or like another source: counted over every bank, "
                              "and again when the open bank is saved");
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[ColumnCount] = {
        "Bank",       "Entries",     "Words to do",  "Untranslated", "Needs review",
        "Translated", "Reviewed",    "Does not fit", "Spelling",     "Check findings",
        "Glossary",   "Consistency", "Progress"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

bool TotalsLastProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // Qt reverses the comparison for a descending order; the totals row stays last in both.
    if (left.data(ProjectStatusModel::TotalsRole).toBool())
        return sortOrder() == Qt::DescendingOrder;
    if (right.data(ProjectStatusModel::TotalsRole).toBool())
        return sortOrder() == Qt::AscendingOrder;
    const QVariant a = left.data(ProjectStatusModel::SortRole);
    const QVariant b = right.data(ProjectStatusModel::SortRole);
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() < b.toString();
    return a.toLongLong() < b.toLongLong();
}

void ProgressDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QVariant value = index.data(ProjectStatusModel::SortRole);
    if (value.toInt() < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(2, 2, -2, -2);
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = value.toInt();
    bar.text = index.data(Qt::DisplayRole).toString();
    bar.textVisible = true;
    bar.state = option.state | QStyle::State_Horizontal;
    QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter);
}

} // namespace zyn
