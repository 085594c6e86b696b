// SPDX-License-Identifier: MIT
#include "SortedCardLines.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "SortKeys.h"

SortedCardLines::SortedCardLines(CardListModel* lines, QObject* parent) : QAbstractProxyModel(parent), lines_(lines)
{
    setSourceModel(lines);
    followTheLines();
}

// The lines change only by a reset or by rows appended at the end.
void SortedCardLines::followTheLines()
{
    connect(lines_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        linesResetting_ = true;
        beginResetModel();
    });
    connect(lines_, &QAbstractItemModel::modelReset, this, [this] {
        linesResetting_ = false;
        forgetOrder();
        endResetModel();
    });
    connect(lines_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex&, int first, int last) {
        if (column_ == kFileOrder)
            beginInsertRows(QModelIndex(), first, last);
        else
            beginResetModel();
    });
    connect(lines_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (column_ == kFileOrder) {
            endInsertRows();
            return;
        }
        forgetOrder();
        endResetModel();
    });
}

void SortedCardLines::forgetOrder()
{
    std::vector<int>().swap(order_);
    std::vector<int>().swap(viewRow_);
    column_ = kFileOrder;
}

void SortedCardLines::sortBy(int column, Qt::SortOrder order)
{
    if (linesResetting_)
        return;  // the new lines come in file order anyway
    if (column == kFileOrder) {
        if (column_ != kFileOrder)
            applyOrder({}, kFileOrder);
        return;
    }
    if (column > kFileOrder && column < card::kListColumnCount)
        applyOrder(SortKeys(*lines_, column).sortedRows(order), column);
}

// A layout change, not a reset: the selected line stays selected where it
// moves to.
void SortedCardLines::applyOrder(std::vector<int> rows, int column)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList sources;
    for (const QModelIndex& index : before)
        sources << mapToSource(index);
    order_ = std::move(rows);
    viewRow_.assign(order_.size(), 0);
    for (std::size_t row = 0; row < order_.size(); ++row)
        viewRow_[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);
    column_ = column;
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << mapFromSource(sources[i]);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int SortedCardLines::sourceRow(int row) const
{
    return order_.empty() ? row : order_.at(static_cast<std::size_t>(row));
}

QModelIndex SortedCardLines::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex SortedCardLines::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int SortedCardLines::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : lines_->rowCount();
}

int SortedCardLines::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : lines_->columnCount();
}

// Column i here is column i of the lines, rows or none.
QVariant SortedCardLines::headerData(int section, Qt::Orientation orientation, int role) const
{
    return lines_->headerData(section, orientation, role);
}

QModelIndex SortedCardLines::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return QModelIndex();
    return lines_->index(sourceRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex SortedCardLines::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int row = sourceIndex.row();
    return index(viewRow_.empty() ? row : viewRow_.at(static_cast<std::size_t>(row)), sourceIndex.column());
}
