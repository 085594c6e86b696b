// SPDX-License-Identifier: MIT
#pragma once

#include "WindowRect.h"

#include <QObject>
#include <QRect>

#include <optional>

class QWidget;

// The window's place on the screens: the stored rectangle read and kept to
// the screens at start, the frame fitted to it once a window manager has
// framed the window, and the rectangle to store when it closes.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    // Places `window` by `stored`, or at the system's default size.
    WindowPlacement(QWidget& window, const WindowRect& stored);

    // The rectangle to keep; nullopt for a minimised window, whose
    // rectangle is not worth keeping.
    std::optional<WindowRect> toStore() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitFrameToPlacement();

    QWidget& window_;
    QRect placement_;  // the frame rectangle taken from the stored one
    bool frameFitPending_ = false;
};
