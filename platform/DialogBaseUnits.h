// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QFont;
class QFontMetrics;

// Converts dialog units to pixels the way the dialog manager does: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
class DialogBaseUnits {
public:
    DialogBaseUnits(int baseX, int baseY);

    // The average width is that of the 52 letters A-Z and a-z, rounded.
    static DialogBaseUnits forFont(const QFont& font);
    // That average: wider than the font's own average character width, which
    // would leave "Uncommon" no room before the next tab stop.
    static int averageLetterWidth(const QFontMetrics& metrics);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QPoint toPixels(int x, int y) const;
    QSize toPixels(QSize units) const;
    QRect toPixels(int x, int y, int width, int height) const;

private:
    int baseX_;
    int baseY_;
};
