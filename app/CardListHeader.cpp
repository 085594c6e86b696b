// SPDX-License-Identifier: MIT
#include "CardListHeader.h"

#include "CardLineDelegate.h"

#include <QStandardItemModel>

CardListHeader::CardListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("header"));
    auto* names = new QStandardItemModel(0, 5, this);
    names->setHorizontalHeaderLabels({QStringLiteral("入手頻度"), QStringLiteral("カード名"),
                                      QStringLiteral("カード種類"), QStringLiteral("注記"),
                                      QStringLiteral("イラスト")});
    setModel(names);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true);
    setSortIndicatorShown(true);
    setSortIndicatorClearable(true);  // ascending, descending, none
    setFocusPolicy(Qt::NoFocus);
    showFileOrder();
}

void CardListHeader::fitToTabStops(const QFontMetrics& metrics)
{
    const std::array<int, 4> stops = CardLineDelegate::tabStopPixels(metrics);
    int start = 0;
    for (std::size_t column = 0; column < stops.size(); ++column) {
        const int end = CardLineDelegate::kLeftMargin + stops[column];
        resizeSection(static_cast<int>(column), end - start);
        start = end;
    }
    resizeSection(static_cast<int>(stops.size()), CardLineDelegate::kHorizontalExtent - start);
}

void CardListHeader::showFileOrder()
{
    setSortIndicator(-1, Qt::AscendingOrder);
}
