// SPDX-License-Identifier: MIT
#include "CardLineDelegate.h"

#include "DialogBaseUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>

CardLineDelegate::CardLineDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

std::array<int, 4> CardLineDelegate::tabStopPixels(const QFontMetrics& metrics)
{
    std::array<int, 4> pixels{};
    const int average = DialogBaseUnits::averageLetterWidth(metrics);
    for (std::size_t i = 0; i < kTabStops.size(); ++i)
        pixels[i] = kTabStops[i] * average / 4;
    return pixels;
}

// A tab moves to the first stop right of the text drawn so far, as in a
// list box with tab stops, but never closer to it than the least gap: a field
// that runs past its column, or past the last stop, stays apart from the next.
std::vector<int> CardLineDelegate::fieldPositions(const QStringList& fields, const QFontMetrics& metrics)
{
    const std::array<int, 4> stops = tabStopPixels(metrics);
    const int gap = kMinimumGap * DialogBaseUnits::averageLetterWidth(metrics);
    std::vector<int> positions;
    int x = 0;
    for (const QString& field : fields) {
        positions.push_back(x);
        const int end = x + metrics.horizontalAdvance(field);
        const auto stop = std::find_if(stops.begin(), stops.end(), [end](int s) { return s > end; });
        x = std::max(stop != stops.end() ? *stop : end, end + gap);
    }
    return positions;
}

void CardLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString line = opt.text;
    opt.text.clear();  // the style draws background, selection and focus only
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    painter->save();
    painter->setClipRect(opt.rect);
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, role));
    const QFontMetrics metrics(opt.font);
    const QStringList fields = line.split(QLatin1Char('\t'));
    const std::vector<int> positions = fieldPositions(fields, metrics);
    const int left = opt.rect.left() + kLeftMargin;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QRect box(left + positions[static_cast<std::size_t>(i)], opt.rect.top(),
                        metrics.horizontalAdvance(fields[i]) + 1, opt.rect.height());
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
    }
    painter->restore();
}

QSize CardLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QFontMetrics metrics(option.font);
    return QSize(kHorizontalExtent, metrics.height() + 2);
}
