// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"
#include "SortKeys.h"

#include <QAbstractProxyModel>

#include <functional>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {
class FinderUi;
}

class CardListModel;

// The card list's lines in the order the user chose: the file order, or
// sorted by one of the five fields; all of them, or only those of the cards
// the filter shows. A row here maps to the row of the lines as read, which
// is also the card's place among the listed cards, so in any order a line
// leads to its own card. A new list brings the file order back, and shows
// no line while a filter is on, until the filter's cards for it come.
class SortedCardLines : public QAbstractProxyModel {
    Q_OBJECT
public:
    static constexpr int kFileOrder = -1;  // the "column" of no sort

    // A sort whose keys take long shows the notice of `ui` and yields to
    // the window between slices, as a long reading does.
    SortedCardLines(CardListModel* lines, card::FinderUi& ui, QObject* parent);

    // Sorts by list column `column`, or returns to the file order for kFileOrder. Lines of
    // equal text keep their file order; the selection stays on its line.
    // A sort the user stopped, or one asked for while another makes its
    // keys, leaves the order as it was: sortColumn() and sortOrder() tell.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return column_; }
    Qt::SortOrder sortOrder() const { return order_ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder; }
    // The lines' sort texts changed (another source): the keys are made
    // again, and a sorted list sorted again.
    void sortTextsChanged();
    // How long a sort makes its keys before it shows the notice (tests
    // shorten it).
    void setQuietTime(int ms) { quietMs_ = ms; }

    // Shows the lines of `cards` alone (ascending card indices), or with
    // nullopt every line.
    void showOnly(std::optional<std::vector<std::uint32_t>> cards);
    bool filtered() const { return shownCards_.has_value(); }

    // The row among the lines as read, i.e. the listed card, of row `row`.
    int sourceRow(int row) const;
    // The row here of the listed card `card`, or -1 when it is not shown.
    int rowOfCard(int card) const;

    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

signals:
    // New lines came, in file order: the header's arrow goes.
    void fileOrderBack();

private:
    void followTheLines();
    void forgetOrder();
    void dropKeptOrder();
    void applyOrder(int column, Qt::SortOrder order, const std::function<void()>& change);
    void mapShownRows();
    void mapViewRows();
    SortKeys::Ranks ranksOf(int column);

    CardListModel* lines_;
    card::FinderUi& ui_;
    bool order_ascending_ = true;  // as shown
    bool sorting_ = false;  // making keys, with events running meanwhile
    int quietMs_ = 30;
    // The order of the column sorted last, kept while the file order shows
    // (a click brings it back), in the direction it was shown last, and
    // where each run of rows of one rank starts in it: a reversal keeps each
    // run in file order. orderColumn_ is kFileOrder when there is none, or
    // it is no longer the column's order (its sort texts changed).
    SortKeys::Rows order_;  // sorted row -> row as read
    std::vector<bool> groupStarts_;
    int orderColumn_ = kFileOrder;
    bool keptAscending_ = true;
    std::optional<std::vector<std::uint32_t>> shownCards_;  // the filter's cards
    // Row here -> row as read, of the filter's cards in the order chosen
    // (every card's: order_ itself), and its inverse (-1: not shown); both
    // empty when every line shows in file order.
    const SortKeys::Rows& shownRows() const { return shownCards_ ? rows_ : order_; }  // not in file order
    SortKeys::Rows rows_;
    SortKeys::Rows viewRow_;
    bool identity_ = true;
    int column_ = kFileOrder;
    bool linesResetting_ = false;
};
