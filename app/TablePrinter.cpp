// SPDX-License-Identifier: MIT
#include "TablePrinter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <numeric>

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
const QString kCheckBox = QStringLiteral("□");
constexpr int kProgressEvery = 2000;  // rows measured between two progress reports

}  // namespace

TablePrinter::TablePrinter(PrintTable table, const QFont& font, QDate date)
    : table_(std::move(table)), baseFont_(font), date_(date)
{
}

// Everything in the device's pixels: the fonts' point sizes follow the
// device's resolution, so the page looks the same on paper, PDF and preview.
void TablePrinter::setUpLayout(QPaintDevice& device)
{
    Layout& l = layout_;
    l.font = QFont(baseFont_, &device);
    l.font.setPointSizeF(9);
    l.titleFont = l.font;
    l.titleFont.setPointSizeF(12);
    l.titleFont.setBold(true);
    l.page = QRectF(0, 0, device.width(), device.height());
    const QFontMetricsF metrics(l.font, &device);
    l.pad = metrics.height() / 4;
    l.checkWidth = metrics.horizontalAdvance(kCheckBox) + 2 * l.pad;
    const qreal shareSum = std::accumulate(table_.shares.begin(), table_.shares.end(), 0.0);
    l.columnX = {l.page.left(), l.page.left() + l.checkWidth};
    for (qreal share : table_.shares)
        l.columnX.push_back(l.columnX.back() + (l.page.width() - l.checkWidth) * share / shareSum);
    const QFontMetricsF titleMetrics(l.titleFont, &device);
    l.bodyTop = l.page.top() + titleMetrics.height() + metrics.height() * 1.8;
    l.headerHeight = metrics.height() + 2 * l.pad;
    l.bodyBottom = l.page.bottom() - metrics.height() * 1.8;  // the page number's line
}

QRectF TablePrinter::cellRect(int column, qreal top, qreal height) const
{
    const Layout& l = layout_;
    return QRectF(l.columnX[column], top, l.columnX[column + 1] - l.columnX[column], height);
}

qreal TablePrinter::rowHeight(const PrintRow& row, QPaintDevice& device) const
{
    const Layout& l = layout_;
    const QFontMetricsF metrics(l.font, &device);
    if (row.kind != PrintRow::Kind::Card) {
        const QRectF across(0, 0, l.page.width() - 2 * l.pad, 1e9);
        return metrics.boundingRect(across, kTextFlags, row.cells.value(0)).height() + 2 * l.pad;
    }
    qreal height = metrics.height();
    for (int c = 0; c < row.cells.size() && c + 2 < int(l.columnX.size()); ++c) {
        const qreal width = l.columnX[c + 2] - l.columnX[c + 1] - 2 * l.pad;
        // Most fields fit on one line: the cheaper measure first.
        if (metrics.horizontalAdvance(row.cells[c]) <= width)
            continue;
        height = std::max(height, metrics.boundingRect(QRectF(0, 0, width, 1e9), kTextFlags, row.cells[c]).height());
    }
    return height + 2 * l.pad;
}

bool TablePrinter::paginate(QPaintDevice& device, const Progress& progress)
{
    setUpLayout(device);
    pageStarts_ = {0};
    heights_.assign(std::size_t(table_.rowCount), 0.0f);
    const qreal room = layout_.bodyBottom - layout_.bodyTop - layout_.headerHeight;
    qreal used = 0;
    for (int r = 0; r < table_.rowCount; ++r) {
        if (r % kProgressEvery == 0 && progress && !progress(r, table_.rowCount))
            return false;
        const qreal height = rowHeight(table_.row(r), device);
        heights_[std::size_t(r)] = float(height);
        // A row taller than a whole page still starts a page of its own.
        if (used > 0 && used + height > room) {
            pageStarts_.push_back(r);
            used = 0;
        }
        used += height;
    }
    return true;
}

bool TablePrinter::print(QPagedPaintDevice& device, const Progress& measuring, const Progress& painting)
{
    if (!paginate(device, measuring))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 0; page < pageCount(); ++page) {
        if (painting && !painting(page, pageCount())) {
            painter.end();
            return false;
        }
        if (page > 0 && !device.newPage())
            return false;
        paintPage(painter, page);
    }
    return painter.end();
}

void TablePrinter::paintPage(QPainter& painter, int page)
{
    paintHeading(painter, page);
    qreal top = paintTableHeader(painter, layout_.bodyTop);
    const int end = page + 1 < pageCount() ? pageStarts_[std::size_t(page) + 1] : table_.rowCount;
    painter.setFont(layout_.font);
    for (int r = pageStarts_[std::size_t(page)]; r < end; ++r) {
        const qreal height = heights_[std::size_t(r)];
        paintRow(painter, table_.row(r), top, height);
        top += height;
    }
}

// The title and the date over the table, the page number under it.
void TablePrinter::paintHeading(QPainter& painter, int page)
{
    const Layout& l = layout_;
    painter.setFont(l.titleFont);
    const QFontMetricsF titleMetrics(l.titleFont, painter.device());
    const QRectF titleLine(l.page.left(), l.page.top(), l.page.width(), titleMetrics.height());
    painter.drawText(titleLine, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     titleMetrics.elidedText(table_.title, Qt::ElideRight, titleLine.width()));
    painter.setFont(l.font);
    const QFontMetricsF metrics(l.font, painter.device());
    const QRectF dateLine(l.page.left(), titleLine.bottom(), l.page.width(), metrics.height() * 1.5);
    painter.drawText(dateLine, Qt::AlignLeft | Qt::AlignVCenter, QLocale(QLocale::Japanese).toString(date_, QLocale::LongFormat));
    const QRectF foot(l.page.left(), l.page.bottom() - metrics.height(), l.page.width(), metrics.height());
    painter.drawText(foot, Qt::AlignCenter, QStringLiteral("%1 / %2").arg(page + 1).arg(pageCount()));
}

qreal TablePrinter::paintTableHeader(QPainter& painter, qreal top)
{
    const Layout& l = layout_;
    QFont bold = l.font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.fillRect(QRectF(l.page.left(), top, l.page.width(), l.headerHeight), QColor(230, 230, 230));
    for (int c = 0; c < table_.columns.size(); ++c) {
        const QRectF cell = cellRect(c + 1, top, l.headerHeight).adjusted(l.pad, l.pad, -l.pad, -l.pad);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, table_.columns[c]);
    }
    painter.drawLine(QLineF(l.page.left(), top + l.headerHeight, l.page.right(), top + l.headerHeight));
    return top + l.headerHeight;
}

void TablePrinter::paintRow(QPainter& painter, const PrintRow& row, qreal top, qreal height)
{
    const Layout& l = layout_;
    if (row.kind == PrintRow::Kind::Card) {
        painter.setFont(l.font);
        painter.drawText(cellRect(0, top, height).adjusted(l.pad, l.pad, -l.pad, -l.pad), kTextFlags, kCheckBox);
        for (int c = 0; c < row.cells.size() && c < table_.columns.size(); ++c)
            painter.drawText(cellRect(c + 1, top, height).adjusted(l.pad, l.pad, -l.pad, -l.pad), kTextFlags, row.cells[c]);
    } else {
        QFont font = l.font;
        font.setBold(row.kind == PrintRow::Kind::Heading);
        painter.setFont(font);
        const QRectF across(l.page.left() + l.pad, top + l.pad, l.page.width() - 2 * l.pad, height - 2 * l.pad);
        painter.drawText(across, kTextFlags, row.cells.value(0));
    }
    const QPen pen = painter.pen();
    painter.setPen(QPen(QColor(180, 180, 180), 0));
    painter.drawLine(QLineF(l.page.left(), top + height, l.page.right(), top + height));
    painter.setPen(pen);
}
