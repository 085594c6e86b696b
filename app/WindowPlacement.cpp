// SPDX-License-Identifier: MIT
#include "WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// Stands in for the system's default size of a new window.
QSize defaultWindowSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(800, 600);
    return available * 3 / 4;
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget& window, const WindowRect& stored) : QObject(&window), window_(window)
{
    window.installEventFilter(this);
    const std::optional<QRect> frame = stored.placementOn(availableAreas());
    if (!frame) {
        window.resize(defaultWindowSize());
        return;
    }
    placement_ = *frame;
    window.move(placement_.topLeft());  // a top-level window's position is its frame's
    window.resize(placement_.size());
    frameFitPending_ = true;
}

std::optional<WindowRect> WindowPlacement::toStore() const
{
    if (window_.isMinimized())
        return std::nullopt;
    return WindowRect::fromFrame(window_.frameGeometry());
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Move)
            fitFrameToPlacement();
        if (event->type() == QEvent::ActivationChange && window_.isActiveWindow()) {
            fitFrameToPlacement();
            frameFitPending_ = false;  // no frame by now: no window manager
        }
    }
    return QObject::eventFilter(watched, event);
}

// The stored rectangle includes the frame, which is known only once a window
// manager has framed the window; the client area then shrinks by it once.
void WindowPlacement::fitFrameToPlacement()
{
    if (!frameFitPending_ || !window_.windowHandle())
        return;
    const QMargins margins = window_.windowHandle()->frameMargins();
    if (margins.isNull())
        return;
    frameFitPending_ = false;
    window_.resize(placement_.width() - margins.left() - margins.right(),
                   placement_.height() - margins.top() - margins.bottom());
    window_.move(placement_.topLeft());
}
