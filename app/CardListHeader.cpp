// SPDX-License-Identifier: MIT
#include "CardListHeader.h"

#include "CardLayout.h"
#include "DialogBaseUnits.h"

#include <QFontMetrics>
#include <QMenu>
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
    if (count() > kRulesTextColumn) {
        resizeSection(kRulesTextColumn, kRulesTextLetters * average);
        showColumn(kRulesTextColumn, false);
    }
}

int CardListHeader::widthOf(int column) const
{
    return isSectionHidden(column) && std::size_t(column) < hiddenWidths_.size() ? hiddenWidths_[std::size_t(column)]
                                                                                : sectionSize(column);
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
