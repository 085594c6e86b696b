// SPDX-License-Identifier: MIT
#include "MatchHighlightDelegate.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "SortedCardLines.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

MatchHighlightDelegate::MatchHighlightDelegate(const FilterMarks& marks, const SortedCardLines& lines, QObject* parent)
    : QStyledItemDelegate(parent), marks_(marks), lines_(lines)
{
}

QList<FilterMarks::Piece> MatchHighlightDelegate::piecesOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() > CardListModel::kRulesTextColumn)
        return {};
    if (index.column() == CardListModel::kRulesTextColumn)
        return marks_.rulesTextPieces(lines_.sourceRow(index.row()));
    return marks_.pieces(lines_.sourceRow(index.row()), card::kListColumns[std::size_t(index.column())].field);
}

// The cell as the style paints it without its text, then the text (cut
// short as the style cuts it) with the marked pieces in the highlight
// colours.
void MatchHighlightDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    ++lookedUp_;
    const QList<FilterMarks::Piece> pieces = piecesOf(index);
    if (pieces.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget).adjusted(margin, 0, -margin, 0);
    const QString shown = cell.fontMetrics.elidedText(text, cell.textElideMode, box.width());
    const int kept = shown == text ? int(text.size()) : int(shown.size()) - 1;  // the "…" is no character of the field

    const bool selected = cell.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    QTextCharFormat mark;
    mark.setBackground(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Highlight));
    mark.setForeground(cell.palette.color(group, selected ? QPalette::Highlight : QPalette::HighlightedText));
    QList<QTextLayout::FormatRange> ranges;
    for (const FilterMarks::Piece& piece : pieces) {
        const int end = std::min(piece.start + piece.length, kept);
        if (piece.start < end)
            ranges.append({piece.start, end - piece.start, mark});
    }
    QTextLayout layout(shown, cell.font);
    layout.setFormats(ranges);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(box.width() * 2 + 1000);  // one line: the text is cut short already
    layout.endLayout();
    painter->save();
    painter->setClipRect(box);
    painter->setPen(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, QPointF(box.left(), box.top() + (box.height() - line.height()) / 2));
    painter->restore();
}

// Any cell of a line whose rules text matched tells which lines did.
bool MatchHighlightDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem&,
                                       const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return false;
    const QString lines = marks_.rulesTextToolTip(lines_.sourceRow(index.row()));
    if (lines.isEmpty())
        return false;
    QToolTip::showText(event->globalPos(), lines, view->viewport(), view->visualRect(index));
    return true;
}
