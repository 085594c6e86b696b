// SPDX-License-Identifier: MIT
#include "DialogBaseUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace {

// units * base / divisor, rounded to the nearest pixel.
int scaleRounded(int units, int base, int divisor)
{
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

DialogBaseUnits::DialogBaseUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

DialogBaseUnits DialogBaseUnits::forFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    return DialogBaseUnits(averageLetterWidth(metrics), metrics.height());
}

int DialogBaseUnits::averageLetterWidth(const QFontMetrics& metrics)
{
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // (width / 26 + 1) / 2: the 52-letter average, rounded half up.
    return (letters / 26 + 1) / 2;
}

int DialogBaseUnits::toPixelsX(int units) const
{
    return scaleRounded(units, baseX_, 4);
}

int DialogBaseUnits::toPixelsY(int units) const
{
    return scaleRounded(units, baseY_, 8);
}

QPoint DialogBaseUnits::toPixels(int x, int y) const
{
    return QPoint(toPixelsX(x), toPixelsY(y));
}

QSize DialogBaseUnits::toPixels(QSize units) const
{
    return QSize(toPixelsX(units.width()), toPixelsY(units.height()));
}

QRect DialogBaseUnits::toPixels(int x, int y, int width, int height) const
{
    return QRect(toPixels(x, y), toPixels(QSize(width, height)));
}
