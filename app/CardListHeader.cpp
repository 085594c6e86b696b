// SPDX-License-Identifier: MIT
#include "CardListHeader.h"

#include "CardLayout.h"
#include "DialogBaseUnits.h"

#include <QFontMetrics>
#include <QMenu>
#include <QStyle>
#include <QStringList>

#include <algorithm>

namespace {
constexpr int kRulesTextColumn = card::kListColumnCount;  // after the list's columns
constexpr int kRulesTextLetters = 80;                      // its width at first
}  // namespace

CardListHeader::CardListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent), menu_(new QMenu(this))
{
    menu_->setObjectName(QStringLiteral("columnMenu"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { columnMenu()->popup(mapToGlobal(at)); });
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
    if (count() > kRulesTextColumn) {
        resizeSection(kRulesTextColumn, kRulesTextLetters * average);
        showColumn(kRulesTextColumn, false);
    }
    hasWidths_ = true;
}

int CardListHeader::widthOf(int column) const
{
    if (!isSectionHidden(column))
        return sectionSize(column);
    const int hidden = std::size_t(column) < hiddenWidths_.size() ? hiddenWidths_[std::size_t(column)] : 0;
    return hidden > 0 ? hidden : rulesTextWidth();
}

// The rules-text column's width before it was ever shown.
int CardListHeader::rulesTextWidth() const
{
    const QWidget* list = parentWidget() ? parentWidget() : this;
    return kRulesTextLetters * DialogBaseUnits::averageLetterWidth(list->fontMetrics());
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
    for (int column = 0; column < count(); ++column)
        widths << (isSectionHidden(column) ? QStringLiteral("-") : QString()) + QString::number(widthOf(column));
    return widths.join(QLatin1Char(' '));
}

bool CardListHeader::restoreWidths(const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char(' '));
    if (parts.size() != count() && parts.size() != card::kListColumnCount)
        return false;
    std::vector<std::pair<int, bool>> widths;  // and shown
    for (const QString& part : parts) {
        const bool hidden = part.startsWith(u'-');
        bool isNumber = false;
        const int width = part.mid(hidden ? 1 : 0).toInt(&isNumber);
        if (!isNumber || width < minimumSectionSize() || width > kMaxStoredWidth)
            return false;
        widths.emplace_back(width, !hidden);
    }
    if (std::none_of(widths.begin(), widths.end(), [](const auto& width) { return width.second; }))
        return false;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        showColumn(int(column), true);
        resizeSection(int(column), widths[column].first);
        showColumn(int(column), widths[column].second);
    }
    // Widths stored before the rules-text column existed leave it hidden,
    // at its first width when it shows.
    if (widths.size() < std::size_t(count())) {
        hiddenWidths_.resize(std::max(hiddenWidths_.size(), std::size_t(count())));
        showColumn(kRulesTextColumn, false);
        hiddenWidths_[std::size_t(kRulesTextColumn)] = 0;
    }
    hasWidths_ = true;
    return true;
}

void CardListHeader::showColumn(int column, bool show)
{
    if (show == !isSectionHidden(column))
        return;
    if (hiddenWidths_.size() < std::size_t(count()))
        hiddenWidths_.resize(std::size_t(count()));
    if (!show)
        hiddenWidths_[std::size_t(column)] = sectionSize(column);
    setSectionHidden(column, !show);  // shown again, it has its width back
    if (show && std::size_t(column) < hiddenWidths_.size() && hiddenWidths_[std::size_t(column)] == 0)
        resizeSection(column, rulesTextWidth());
}

QMenu* CardListHeader::columnMenu()
{
    menu_->clear();
    const int shown = count() - hiddenSectionCount();
    for (int column = 0; column < count(); ++column) {
        QAction* item = menu_->addAction(model()->headerData(column, Qt::Horizontal).toString());
        item->setCheckable(true);
        item->setChecked(!isSectionHidden(column));
        item->setEnabled(isSectionHidden(column) || shown > 1);
        connect(item, &QAction::toggled, this, [this, column](bool show) { showColumn(column, show); });
    }
    return menu_;
}

void CardListHeader::showFileOrder()
{
    setSortIndicator(-1, Qt::AscendingOrder);
}
