// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

#include <array>
#include <vector>

class QFontMetrics;

// Draws a list line's tab-separated fields at the list's tab stops, the way
// a list box with tab stops lays out its lines, and makes every row as wide
// as the list's horizontal extent so it can be scrolled sideways that far.
class CardLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // In quarters of the font's average letter width, as dialog units are.
    static constexpr std::array<int, 4> kTabStops = {48, 200, 376, 516};
    static constexpr int kHorizontalExtent = 2048;
    static constexpr int kLeftMargin = 2;
    // Least space between two fields, in average letter widths.
    static constexpr int kMinimumGap = 2;

    explicit CardLineDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The tab stops in pixels for `metrics`.
    static std::array<int, 4> tabStopPixels(const QFontMetrics& metrics);
    // Where each of a line's tab-separated `fields` starts, in pixels from
    // the line's start.
    static std::vector<int> fieldPositions(const QStringList& fields, const QFontMetrics& metrics);
};
