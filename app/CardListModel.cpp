#include "CardListModel.h"

#include "Cp932Text.h"

CardListModel::CardListModel(QObject* parent) : QAbstractListModel(parent) {}

int CardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant CardListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return fromCp932(lines_[static_cast<std::size_t>(index.row())]);
}

void CardListModel::clear()
{
    if (suspended_) {
        lines_.clear();
        return;
    }
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void CardListModel::append(std::string line)
{
    if (suspended_) {
        lines_.push_back(std::move(line));
        return;
    }
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    lines_.push_back(std::move(line));
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
