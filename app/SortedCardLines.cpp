// SPDX-License-Identifier: MIT
#include "SortedCardLines.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "FinderUi.h"

#include <QElapsedTimer>

#include <algorithm>

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
        emit fileOrderBack();
    });
    // Rows the filter has not seen are not shown.
    connect(lines_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex&, int first, int last) {
        if (column_ == kFileOrder && !filtered())
            beginInsertRows(QModelIndex(), first, last);
        else if (column_ != kFileOrder)
            beginResetModel();
    });
    connect(lines_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (column_ == kFileOrder) {
            if (!filtered())
                endInsertRows();
            return;
        }
        forgetOrder();
        endResetModel();
        emit fileOrderBack();
    });
}

void SortedCardLines::forgetOrder()
{
    column_ = kFileOrder;
    dropKeptOrder();
    if (shownCards_)
        shownCards_->clear();
    mapShownRows();
}

void SortedCardLines::dropKeptOrder()
{
    SortKeys::Rows().swap(order_);
    std::vector<bool>().swap(groupStarts_);
    orderColumn_ = kFileOrder;
}

// A list shown sorted keeps its order until the new one replaces it.
void SortedCardLines::sortTextsChanged()
{
    if (column_ == kFileOrder) {
        dropKeptOrder();
        return;
    }
    orderColumn_ = kFileOrder;
    sort(column_, sortOrder());
}

void SortedCardLines::sort(int column, Qt::SortOrder order)
{
    if (linesResetting_ || sorting_)
        return;  // the new lines come in file order anyway; one sort at a time
    if (column == kFileOrder) {
        if (column_ != kFileOrder)
            applyOrder(kFileOrder, Qt::AscendingOrder, [] {});
        return;
    }
    if (column < 0 || column >= card::kListColumnCount || lines_->rowCount() == 0)
        return;
    const bool ascending = order == Qt::AscendingOrder;
    if (column == orderColumn_) {
        applyOrder(column, order, [&] {
            if (keptAscending_ != ascending)
                SortKeys::reverse(order_, groupStarts_);
            keptAscending_ = ascending;
        });
        return;
    }
    // The inverse of the order shown is let go while the keys are made, when
    // the sort peaks: rowOfCard searches meanwhile.
    SortKeys::Rows().swap(viewRow_);
    SortKeys::Ranks ranks = ranksOf(column);
    if (ranks.empty()) {
        mapViewRows();
        return;
    }
    std::vector<bool> groupStarts;
    SortKeys::Rows rows = SortKeys::sortedRows(ranks, groupStarts);
    SortKeys::Ranks().swap(ranks);
    if (!ascending)
        SortKeys::reverse(rows, groupStarts);
    applyOrder(column, order, [&] {
        order_ = std::move(rows);
        groupStarts_ = std::move(groupStarts);
        orderColumn_ = column;
        keptAscending_ = ascending;
    });
}

// The keys of a long column are made with the notice up once they have
// taken longer than a slice, the window answering between slices.
SortKeys::Ranks SortedCardLines::ranksOf(int column)
{
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
    SortKeys::Ranks ranks = SortKeys::ranksOf(*lines_, column, progress);
    sorting_ = false;
    if (notice)
        ui_.hideNotice();
    return ranks;
}

// A layout change, not a reset: the selected line stays selected where it
// moves to. `change` makes the kept order the one shown.
void SortedCardLines::applyOrder(int column, Qt::SortOrder order, const std::function<void()>& change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList sources;
    for (const QModelIndex& index : before)
        sources << mapToSource(index);
    change();
    column_ = column;
    order_ascending_ = order == Qt::AscendingOrder;
    mapShownRows();
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << mapFromSource(sources[i]);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// Every line shown again while every line shows changes nothing: no reset,
// which would make the view take in a million lines once more.
void SortedCardLines::showOnly(std::optional<std::vector<std::uint32_t>> cards)
{
    if (!cards && !shownCards_)
        return;
    beginResetModel();
    shownCards_ = std::move(cards);
    mapShownRows();
    endResetModel();
}

// The rows in the order chosen, of the cards shown.
void SortedCardLines::mapShownRows()
{
    SortKeys::Rows().swap(rows_);
    SortKeys::Rows().swap(viewRow_);
    identity_ = column_ == kFileOrder && !shownCards_;
    if (identity_)
        return;
    if (!shownCards_) {
        // the order itself: no copy of it
    } else if (column_ == kFileOrder) {
        rows_.assign(shownCards_->begin(), shownCards_->end());
    } else {
        std::vector<bool> shown(static_cast<std::size_t>(lines_->rowCount()));
        for (std::uint32_t card : *shownCards_)
            shown[card] = true;
        for (int row : order_) {
            if (shown[static_cast<std::size_t>(row)])
                rows_.push_back(row);
        }
    }
    mapViewRows();
}

void SortedCardLines::mapViewRows()
{
    if (identity_)
        return;
    viewRow_.assign(static_cast<std::size_t>(lines_->rowCount()), -1);
    const SortKeys::Rows& rows = shownRows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        viewRow_[static_cast<std::size_t>(rows[row])] = static_cast<int>(row);
}

int SortedCardLines::sourceRow(int row) const
{
    return identity_ ? row : shownRows().at(static_cast<std::size_t>(row));
}

int SortedCardLines::rowOfCard(int card) const
{
    if (identity_)
        return card >= 0 && card < lines_->rowCount() ? card : -1;
    if (viewRow_.empty()) {  // a sort makes its keys
        const SortKeys::Rows& rows = shownRows();
        const auto at = std::find(rows.begin(), rows.end(), card);
        return at == rows.end() ? -1 : int(at - rows.begin());
    }
    // Cards appended since the rows were mapped are not shown.
    return card >= 0 && std::size_t(card) < viewRow_.size() ? viewRow_[std::size_t(card)] : -1;
}

QModelIndex SortedCardLines::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return QModelIndex();
    return createIndex(row, column);
}

// Every line the same, whatever its order: no need to ask the lines.
Qt::ItemFlags SortedCardLines::flags(const QModelIndex& index) const
{
    return index.isValid() ? CardListModel::kLineFlags : Qt::NoItemFlags;
}

QModelIndex SortedCardLines::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int SortedCardLines::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return identity_ ? lines_->rowCount() : static_cast<int>(shownRows().size());
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
    return index(rowOfCard(sourceIndex.row()), sourceIndex.column());
}
