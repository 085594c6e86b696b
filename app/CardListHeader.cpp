// SPDX-License-Identifier: MIT
#include "CardListHeader.h"

#include "CardLayout.h"
#include "DialogBaseUnits.h"

#include <QFontMetrics>
#include <QStringList>

CardListHeader::CardListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("header"));
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(true);
    setSectionsMovable(false);
    setSortIndicatorClearable(true);  // ascending, descending, none
    setFocusPolicy(Qt::NoFocus);
    showFileOrder();
}

void CardListHeader::fitToTabStops(const QFontMetrics& metrics)
{
    const int average = DialogBaseUnits::averageLetterWidth(metrics);
    int start = 0;
    for (std::size_t column = 0; column < kTabStops.size(); ++column) {
        const int end = kTabStops[column] * average / 4;
        resizeSection(int(column), end - start);
        start = end;
    }
    // The last column as wide as the one before it, until it fills the rest.
    resizeSection(int(kTabStops.size()), (kTabStops[3] - kTabStops[2]) * average / 4);
}

QString CardListHeader::storedWidths() const
{
    QStringList widths;
    for (int column = 0; column < card::kListColumnCount; ++column)
        widths << QString::number(sectionSize(column));
    return widths.join(QLatin1Char(' '));
}

bool CardListHeader::restoreWidths(const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char(' '));
    if (parts.size() != card::kListColumnCount)
        return false;
    std::array<int, card::kListColumnCount> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column) {
        bool isNumber = false;
        widths[column] = parts[qsizetype(column)].toInt(&isNumber);
        if (!isNumber || widths[column] < minimumSectionSize() || widths[column] > kMaxStoredWidth)
            return false;
    }
    for (std::size_t column = 0; column < widths.size(); ++column)
        resizeSection(int(column), widths[column]);
    return true;
}

void CardListHeader::showFileOrder()
{
    setSortIndicator(-1, Qt::AscendingOrder);
}
