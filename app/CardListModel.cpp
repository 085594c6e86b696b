// SPDX-License-Identifier: MIT
#include "CardListModel.h"

#include "Cp932Text.h"

CardListModel::CardListModel(const card::CardStore& cards, QObject* parent) : QAbstractListModel(parent), cards_(cards)
{
}

int CardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

std::string CardListModel::line(int row) const
{
    std::string line;
    card(row).appendListLine(line);
    return line;
}

// The fields never run into each other: each piece between tabs lies
// within one field, so the line need not be put together for it.
std::string_view CardListModel::field(int row, int column) const
{
    const card::CardView shown = card(row);
    int piece = 0;
    for (std::string_view part : {shown.rate, shown.name, shown.type, shown.note, shown.illust}) {
        for (;;) {
            const std::size_t tab = part.find('\t');
            if (piece++ == column)
                return part.substr(0, tab);
            if (tab == std::string_view::npos)
                break;
            part.remove_prefix(tab + 1);
        }
    }
    return {};
}

QVariant CardListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return fromCp932(line(index.row()));
}

// The store is emptied with the list, by the same command.
void CardListModel::clear()
{
    if (suspended_) {
        pendingRows_ = 0;
        return;
    }
    beginResetModel();
    rows_ = pendingRows_ = 0;
    endResetModel();
}

void CardListModel::append(std::string_view)
{
    if (suspended_) {
        ++pendingRows_;
        return;
    }
    beginInsertRows(QModelIndex(), rows_, rows_);
    pendingRows_ = ++rows_;
    endInsertRows();
}

// The views are told that everything changes and see no row until the
// reset ends: the cards may be read meanwhile, with the window answering.
void CardListModel::suspendUpdates()
{
    if (suspended_)
        return;
    beginResetModel();
    pendingRows_ = rows_;
    rows_ = 0;
    suspended_ = true;
}

void CardListModel::resumeUpdates()
{
    if (!suspended_)
        return;
    suspended_ = false;
    rows_ = pendingRows_;
    endResetModel();
}
