// SPDX-License-Identifier: MIT
#pragma once

#include "CardStore.h"

#include <QAbstractListModel>

#include <cstddef>
#include <string>
#include <string_view>

// The lines of the card list, read from the listed cards' store: row i is
// the list line of card i, built and decoded only for the rows a view asks
// for, so the list keeps no copy of its own. While updates are suspended
// rows are appended without notifying views (which see none of them);
// resuming sends a single reset, so filling a million lines costs one reset
// instead of a million row inserts.
class CardListModel : public QAbstractListModel {
    Q_OBJECT
public:
    CardListModel(const card::CardStore& cards, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void clear();
    // Appends the row of the store's next card; its line is the card's.
    void append(std::string_view line);
    std::string line(int row) const;
    // Field `column` of row's line as drawn, the line split at its tabs.
    std::string_view field(int row, int column) const;
    // The card of a row.
    card::CardView card(int row) const { return cards_[static_cast<std::size_t>(row)]; }

    void suspendUpdates();
    void resumeUpdates();
    bool updatesSuspended() const { return suspended_; }

private:
    const card::CardStore& cards_;
    int rows_ = 0;         // rows the views know
    int pendingRows_ = 0;  // rows appended while suspended
    bool suspended_ = false;
};
