#pragma once

#include <QList>
#include <QRect>

#include <climits>

// A window's frame rectangle as the settings store keeps it: four edges in
// screen coordinates, right and bottom just outside the window.
struct WindowRect {
    // Stands for "let the system place the window", in left and top.
    static constexpr int kUseDefault = INT_MIN;

    int left = kUseDefault;
    int top = kUseDefault;
    int right = 0;
    int bottom = 0;

    static WindowRect fromFrame(const QRect& frame);

    // Width and height both positive, computed without overflow.
    bool hasArea() const;
    QRect toQRect() const;
    // Whether the edges overlap one of `screens`; the area is not checked.
    bool touchesAny(const QList<QRect>& screens) const;
    // Usable as the creation rectangle: it has an area and is at least
    // partly on a screen; otherwise the system's default placement is used.
    bool usableOn(const QList<QRect>& screens) const;

    bool operator==(const WindowRect&) const = default;
};
