// SPDX-License-Identifier: MIT
#include "SortedCardLines.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "FinderUi.h"

#include <QElapsedTimer>

SortedCardLines::SortedCardLines(CardListModel* lines, card::FinderUi& ui, QObject* parent)
    : QAbstractProxyModel(parent), lines_(lines), ui_(ui)
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
    for (SortKeys::Ranks& ranks : ranks_)
        SortKeys::Ranks().swap(ranks);
}

bool SortedCardLines::sortBy(int column, Qt::SortOrder order)
{
    if (linesResetting_ || sorting_)
        return false;  // the new lines come in file order anyway; one sort at a time
    if (column == kFileOrder) {
        if (column_ != kFileOrder)
            applyOrder({}, kFileOrder, Qt::AscendingOrder);
        return true;
    }
    if (column < 0 || column >= card::kListColumnCount)
        return false;
    const SortKeys::Ranks* ranks = ranksOf(column);
    if (!ranks)
        return false;
    applyOrder(SortKeys::sortedRows(*ranks, order), column, order);
    return true;
}

// The keys of a long column are made with the notice up once they have
// taken longer than a slice, the window answering between slices.
const SortKeys::Ranks* SortedCardLines::ranksOf(int column)
{
    SortKeys::Ranks& ranks = ranks_[std::size_t(column)];
    if (!ranks.empty() || lines_->rowCount() == 0)
        return &ranks;
    QElapsedTimer clock;
    clock.start();
    bool notice = false;
    const auto progress = [&](std::size_t done, std::size_t total) {
        if (!notice && clock.elapsed() < quietMs_)
            return true;
        if (!notice)
            ui_.showNotice();
        notice = true;
        return ui_.keepReading({done, total, done});
    };
    sorting_ = true;
    ranks = SortKeys::ranksOf(*lines_, column, progress);
    sorting_ = false;
    if (notice)
        ui_.hideNotice();
    return ranks.empty() ? nullptr : &ranks;
}

// A layout change, not a reset: the selected line stays selected where it
// moves to.
void SortedCardLines::applyOrder(std::vector<int> rows, int column, Qt::SortOrder order)
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
    order_ascending_ = order == Qt::AscendingOrder;
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
