#include "CardListModel.h"

#include "Cp932Text.h"

CardListModel::CardListModel(QObject* parent) : QAbstractListModel(parent) {}

int CardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lineCount());
}

std::string_view CardListModel::line(int row) const
{
    const std::size_t index = static_cast<std::size_t>(row);
    const std::size_t start = index == 0 ? 0 : ends_.at(index - 1);
    return std::string_view(bytes_).substr(start, ends_.at(index) - start);
}

QVariant CardListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return fromCp932(line(index.row()));
}

void CardListModel::clear()
{
    if (suspended_) {
        clearLines();
        return;
    }
    beginResetModel();
    clearLines();
    endResetModel();
}

// Gives the memory back too: the previous list may have been huge.
void CardListModel::clearLines()
{
    std::string().swap(bytes_);
    std::vector<std::uint64_t>().swap(ends_);
}

void CardListModel::storeLine(std::string_view line)
{
    bytes_ += line;
    ends_.push_back(bytes_.size());
}

void CardListModel::append(std::string_view line)
{
    if (suspended_) {
        storeLine(line);
        return;
    }
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    storeLine(line);
    endInsertRows();
}

void CardListModel::suspendUpdates()
{
    if (suspended_)
        return;
    beginResetModel();
    suspended_ = true;
}

void CardListModel::resumeUpdates()
{
    if (!suspended_)
        return;
    suspended_ = false;
    endResetModel();
}
