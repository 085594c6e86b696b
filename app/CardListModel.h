// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"
#include "CardStore.h"

#include <QAbstractTableModel>

#include <array>

#include <cstddef>
#include <string>
#include <string_view>

// The card list as a table read from the listed cards' store: row i is card
// i, one column for each of the list's columns, each cell decoded only when
// a view asks for it, so the list keeps no copy of its own. While updates
// are suspended rows are appended without notifying views (which see none
// of them); resuming sends a single reset, so filling a million rows costs
// one reset instead of a million row inserts.
//
// After the list's columns comes the rules-text column, its lines joined by
// " / ", which a list line and the sort leave out.
class SortTextSource;

class CardListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRulesTextColumn = card::kListColumnCount;
    static constexpr int kColumnCount = kRulesTextColumn + 1;
    static constexpr std::string_view kRulesTextSeparator = " / ";
    // What every cell is: selectable, and dragged onto the deck panel.
    static constexpr Qt::ItemFlags kLineFlags{Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
                                              Qt::ItemNeverHasChildren};

    // The card's rules-text lines that are not empty, joined by the separator.
    static QString rulesText(const card::CardView& card);

    CardListModel(const card::CardStore& cards, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void clear();
    // Appends the row of the store's next card.
    void append();
    // Row's list line: its columns joined by tabs.
    std::string line(int row) const;
    // The field of row's card in list column `column`.
    std::string_view field(int row, int column) const;
    // The card of a row.
    card::CardView card(int row) const { return cards_[static_cast<std::size_t>(row)]; }

    // What list column `column` sorts by instead of its text's collation;
    // nullptr: the collation.
    void setSortTextSource(int column, SortTextSource* source) { sortText_[std::size_t(column)] = source; }
    SortTextSource* sortTextSource(int column) const { return sortText_[std::size_t(column)]; }

    void suspendUpdates();
    void resumeUpdates();
    bool updatesSuspended() const { return suspended_; }

private:
    const card::CardStore& cards_;
    int rows_ = 0;         // rows the views know
    int pendingRows_ = 0;  // rows appended while suspended
    bool suspended_ = false;
    std::array<SortTextSource*, card::kListColumnCount> sortText_{};
};
