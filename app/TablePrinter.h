// SPDX-License-Identifier: MIT
#pragma once

#include "PrintTable.h"

#include <QDate>
#include <QFont>
#include <QRectF>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Lays a table out on pages and paints them: on each page the title, the
// date and the table's header, then as many whole rows as fit (a row is
// never split; its long texts wrap in their column), and "2 / 5" at the foot.
class TablePrinter {
public:
    // Told how far the work is (done of total); false stops it.
    using Progress = std::function<bool(int done, int total)>;

    TablePrinter(PrintTable table, const QFont& font, QDate date);

    // Measures every row for the pages of `device`; false when stopped.
    bool paginate(QPaintDevice& device, const Progress& progress);
    // Pages of the last paginate().
    int pageCount() const { return int(pageStarts_.size()); }
    // Lays out and paints every page on `device`; false when stopped or
    // when the device could not be painted on.
    bool print(QPagedPaintDevice& device, const Progress& measuring, const Progress& painting);

private:
    struct Layout {
        QFont font, titleFont;
        QRectF page;
        qreal pad = 0;
        qreal checkWidth = 0;
        std::vector<qreal> columnX;  // left edge of each column, the check column first
        qreal headerHeight = 0;
        qreal bodyTop = 0;
        qreal bodyBottom = 0;
    };
    void setUpLayout(QPaintDevice& device);
    qreal rowHeight(const PrintRow& row, QPaintDevice& device) const;
    QRectF cellRect(int column, qreal top, qreal height) const;
    void paintPage(QPainter& painter, int page);
    void paintHeading(QPainter& painter, int page);
    qreal paintTableHeader(QPainter& painter, qreal top);
    void paintRow(QPainter& painter, const PrintRow& row, qreal top, qreal height);

    PrintTable table_;
    QFont baseFont_;
    QDate date_;
    Layout layout_;
    std::vector<int> pageStarts_;  // first row of each page
    std::vector<float> heights_;   // of each row
};
