// SPDX-License-Identifier: MIT
#pragma once

#include "FilterMarks.h"

#include <QStyledItemDelegate>

class SortedCardLines;

// Paints the card list's cells with the text the filter's words matched
// marked in the palette's highlight colours (the other way round on the
// selected line), on the characters as they stand; shows a line's matched
// rules-text lines as its tooltip. Only the cells painted cost anything.
class MatchHighlightDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    MatchHighlightDelegate(const FilterMarks& marks, const SortedCardLines& lines, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The marked pieces of the cell of `index`, as painted last.
    QList<FilterMarks::Piece> piecesOf(const QModelIndex& index) const;
    // How many cells were painted with their marks looked up.
    int cellsLookedUp() const { return lookedUp_; }

private:
    const FilterMarks& marks_;
    const SortedCardLines& lines_;
    mutable int lookedUp_ = 0;
};
