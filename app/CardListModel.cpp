// SPDX-License-Identifier: MIT
#include "CardListModel.h"

#include "CardLayout.h"
#include "Cp932Text.h"

CardListModel::CardListModel(const card::CardStore& cards, QObject* parent) : QAbstractTableModel(parent), cards_(cards)
{
}

int CardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int CardListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

std::string CardListModel::line(int row) const
{
    std::string line;
    card(row).appendListLine(line);
    return line;
}

std::string_view CardListModel::field(int row, int column) const
{
    return card(row).field(card::kListColumns[std::size_t(column)].field);
}

QString CardListModel::rulesText(const card::CardView& card)
{
    QString joined;
    for (int line = 0; line < card::kTextLines; ++line) {
        const std::string_view text = card.field(card::textField(line));
        if (text.empty())
            continue;
        if (!joined.isEmpty())
            joined += QString::fromUtf8(kRulesTextSeparator.data(), qsizetype(kRulesTextSeparator.size()));
        joined += fromCp932(text);
    }
    return joined;
}

QVariant CardListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    if (index.column() == kRulesTextColumn)
        return rulesText(card(index.row()));
    return fromCp932(field(index.row(), index.column()));
}

QVariant CardListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const std::string_view label =
        section == kRulesTextColumn ? std::string_view("テキスト") : card::kListColumns[std::size_t(section)].label;
    return QString::fromUtf8(label.data(), qsizetype(label.size()));
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

void CardListModel::append()
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

Qt::ItemFlags CardListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? kLineFlags : Qt::NoItemFlags;
}
