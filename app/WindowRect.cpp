#include "WindowRect.h"

WindowRect WindowRect::fromFrame(const QRect& frame)
{
    return WindowRect{frame.left(), frame.top(), frame.left() + frame.width(),
                      frame.top() + frame.height()};
}

bool WindowRect::hasArea() const
{
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    return width > 0 && height > 0 && width <= INT_MAX && height <= INT_MAX;
}

QRect WindowRect::toQRect() const
{
    return QRect(left, top, right - left, bottom - top);
}

// Compared in 64 bits: stored edges may be anywhere in the 32-bit range,
// where QRect's inclusive edges would overflow.
bool WindowRect::touchesAny(const QList<QRect>& screens) const
{
    for (const QRect& screen : screens) {
        const long long screenLeft = screen.x();
        const long long screenTop = screen.y();
        const long long screenRight = screenLeft + screen.width();
        const long long screenBottom = screenTop + screen.height();
        if (left < screenRight && right > screenLeft && top < screenBottom && bottom > screenTop)
            return true;
    }
    return false;
}

bool WindowRect::usableOn(const QList<QRect>& screens) const
{
    return hasArea() && touchesAny(screens);
}
