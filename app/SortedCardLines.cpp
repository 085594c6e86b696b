#include "SortedCardLines.h"

#include "CardListModel.h"
#include "Cp932Text.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

constexpr int kRarityColumn = 0;
constexpr std::array<std::string_view, 4> kRarityOrder = {"Common", "Uncommon", "Vital", "Rare"};

// Field `column` of a list line; in CP932 a tab byte never trails a lead byte.
std::string_view field(std::string_view line, int column)
{
    for (int i = 0; i < column; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return {};
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find('\t'));
}

char16_t rarityRank(std::string_view rate)
{
    const auto found = std::find(kRarityOrder.begin(), kRarityOrder.end(), rate);
    return static_cast<char16_t>(found - kRarityOrder.begin());
}

// The text as shown, in UTF-16, whose order is the code points' order for
// everything CP932 holds.
void appendShownText(std::u16string& keys, std::string_view bytes)
{
    // CP932 keeps ASCII as it is: rarities and many names skip the converter.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        keys.append(bytes.begin(), bytes.end());
        return;
    }
    const QString text = fromCp932(bytes);
    keys.append(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// Every line's key back to back, made once per sort: a million short
// strings of their own would cost a million allocations.
class SortKeys {
public:
    SortKeys(const CardListModel& lines, int column)
    {
        const int rows = lines.rowCount();
        ends_.reserve(static_cast<std::size_t>(rows) + 1);
        ends_.push_back(0);
        for (int row = 0; row < rows; ++row) {
            const std::string_view text = field(lines.line(row), column);
            if (column == kRarityColumn)
                keys_ += rarityRank(text);  // the rank first, then the text
            appendShownText(keys_, text);
            ends_.push_back(keys_.size());
        }
    }

    std::u16string_view key(int row) const
    {
        const auto at = static_cast<std::size_t>(row);
        return std::u16string_view(keys_).substr(ends_[at], ends_[at + 1] - ends_[at]);
    }

private:
    std::u16string keys_;
    std::vector<std::size_t> ends_;
};

}  // namespace

SortedCardLines::SortedCardLines(CardListModel* lines, QObject* parent)
    : QAbstractProxyModel(parent), lines_(lines)
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
    if (linesResetting_ || column < kFileOrder || column >= kFields)
        return;  // no order while the lines are being replaced
    if (column == kFileOrder) {
        if (column_ != kFileOrder)
            applyOrder({}, kFileOrder);
        return;
    }
    applyOrder(sortedRows(column, order), column);
}

std::vector<int> SortedCardLines::sortedRows(int column, Qt::SortOrder order) const
{
    const SortKeys keys(*lines_, column);
    std::vector<int> rows(static_cast<std::size_t>(lines_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), [&keys](int a, int b) { return keys.key(a) < keys.key(b); });
    else
        std::stable_sort(rows.begin(), rows.end(), [&keys](int a, int b) { return keys.key(b) < keys.key(a); });
    return rows;
}

// A layout change, not a reset: the selected line stays selected where it
// moves to.
void SortedCardLines::applyOrder(std::vector<int> rows, int column)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sources;
    for (const QModelIndex& index : before)
        sources.push_back(sourceRow(index.row()));
    order_ = std::move(rows);
    viewRow_.assign(order_.size(), 0);
    for (std::size_t row = 0; row < order_.size(); ++row)
        viewRow_[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);
    column_ = column;
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << mapFromSource(lines_->index(sources[static_cast<std::size_t>(i)]));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int SortedCardLines::sourceRow(int row) const
{
    return order_.empty() ? row : order_.at(static_cast<std::size_t>(row));
}

std::string_view SortedCardLines::line(int row) const
{
    return lines_->line(sourceRow(row));
}

QModelIndex SortedCardLines::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= rowCount())
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
    return parent.isValid() ? 0 : 1;
}

QModelIndex SortedCardLines::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return QModelIndex();
    return lines_->index(sourceRow(proxyIndex.row()));
}

QModelIndex SortedCardLines::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int row = sourceIndex.row();
    return index(viewRow_.empty() ? row : viewRow_.at(static_cast<std::size_t>(row)));
}
