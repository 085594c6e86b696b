// SPDX-License-Identifier: MIT
#include "CardListHeader.h"

#include "CardLayout.h"
#include "DialogBaseUnits.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStringList>

#include <algorithm>

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

void CardListHeader::fitToWidth(int width, const QFontMetrics& metrics)
{
    const int average = DialogBaseUnits::averageLetterWidth(metrics);
    // The last column as wide as the one before it, until it fills the rest.
    const int lastStop = kTabStops.back() + (kTabStops[3] - kTabStops[2]);
    const double quarter = std::min(average / 4.0, double(width) / lastStop);
    int start = 0;
    int used = 0;
    for (std::size_t column = 0; column < kTabStops.size(); ++column) {
        const int end = int(kTabStops[column] * quarter);
        const int size = std::max(end - start, leastWidth(int(column), metrics));
        resizeSection(int(column), size);
        start = end;
        used += size;
    }
    const int last = int(kTabStops.size());
    resizeSection(last, std::max(width - used, leastWidth(last, metrics)));
    hasWidths_ = true;
}

// The column's name whole, in a large font too; the rarity column shows the
// rarities offered whole as well.
int CardListHeader::leastWidth(int column, const QFontMetrics& metrics) const
{
    int least = sectionSizeFromContents(column).width();
    if (card::kListColumns[std::size_t(column)].field != card::Field::Rate)
        return least;
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, parentWidget()) + 1);
    for (const std::string_view rarity : card::kRarityNames)
        least = std::max(least, metrics.horizontalAdvance(QString::fromLatin1(rarity.data(), qsizetype(rarity.size()))) + margin);
    return least;
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
    hasWidths_ = true;
    return true;
}

void CardListHeader::showFileOrder()
{
    setSortIndicator(-1, Qt::AscendingOrder);
}
