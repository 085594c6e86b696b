// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QRect>

#include <climits>
#include <optional>

// A window's frame rectangle as the settings store keeps it: four edges in
// screen coordinates, right and bottom just outside the window.
struct WindowRect {
    // Stands for "let the system place the window", in left and top.
    static constexpr int kUseDefault = INT_MIN;
    // The part of the window's top that must lie on a screen, so that the
    // user can grab the title bar and move the window.
    static constexpr int kGrabWidth = 100;
    static constexpr int kGrabHeight = 50;

    int left = kUseDefault;
    int top = kUseDefault;
    int right = 0;
    int bottom = 0;

    static WindowRect fromFrame(const QRect& frame);

    // Where a window with this stored rectangle goes on screens with these
    // available areas: no larger than the area it mostly lies on (a side that
    // is longer takes the area's own), and with its top band on a screen to
    // grab it by. nullopt when it has no area or cannot be grabbed: the
    // system's default placement then.
    std::optional<QRect> placementOn(const QList<QRect>& areas) const;

    bool operator==(const WindowRect&) const = default;
};
