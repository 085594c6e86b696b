// SPDX-License-Identifier: MIT
#include "WindowRect.h"

#include <algorithm>

namespace {

// An axis-aligned span [begin, end) in 64 bits: stored edges may lie anywhere
// in the 32-bit range, where QRect's inclusive edges would overflow.
struct Span {
    long long begin;
    long long end;

    long long length() const { return end - begin; }
    long long overlap(const Span& other) const
    {
        return std::max(0LL, std::min(end, other.end) - std::max(begin, other.begin));
    }
};

Span horizontal(const QRect& r)
{
    return {r.x(), static_cast<long long>(r.x()) + r.width()};
}

Span vertical(const QRect& r)
{
    return {r.y(), static_cast<long long>(r.y()) + r.height()};
}

// A span no longer than `area`: one that is longer shrinks to the area's
// length, which it then fits only at the area's own place.
Span fitInto(const Span& span, const Span& area)
{
    return span.length() <= area.length() ? span : area;
}

}  // namespace

WindowRect WindowRect::fromFrame(const QRect& frame)
{
    return WindowRect{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

std::optional<QRect> WindowRect::placementOn(const QList<QRect>& areas) const
{
    const Span across{left, right};
    const Span down{top, bottom};
    if (across.length() <= 0 || down.length() <= 0)
        return std::nullopt;

    // The area that holds the largest part of the rectangle.
    const QRect* home = nullptr;
    long long largest = 0;
    for (const QRect& area : areas) {
        const long long part = across.overlap(horizontal(area)) * down.overlap(vertical(area));
        if (part > largest) {
            largest = part;
            home = &area;
        }
    }
    if (!home)
        return std::nullopt;
    const Span x = fitInto(across, horizontal(*home));
    const Span y = fitInto(down, vertical(*home));

    // Some screen shows the window's top band, wide enough to grab it.
    const long long grabWidth = std::min<long long>(kGrabWidth, x.length());
    const Span band{y.begin, y.begin + std::min<long long>(kGrabHeight, y.length())};
    for (const QRect& area : areas) {
        if (x.overlap(horizontal(area)) >= grabWidth && band.overlap(vertical(area)) == band.length())
            return QRect(int(x.begin), int(y.begin), int(x.length()), int(y.length()));
    }
    return std::nullopt;
}
