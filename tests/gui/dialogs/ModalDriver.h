#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

// Drives modal dialogs from inside their own event loop: the action runs
// once the next modal widget other than the one on top now has opened.
// A watchdog closes whatever modal widget is still open after its time, so
// a failing test ends instead of hanging.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    using Action = std::function<void(QWidget* modal)>;

    explicit ModalDriver(QObject* parent);

    // Runs `action` on the next modal widget that opens over the current one.
    void onNextModal(Action action);
    // How many actions have run so far.
    int handled() const { return handled_; }
    // Whether the watchdog had to close a stray modal widget.
    bool watchdogFired() const { return watchdogFired_; }

private:
    void poll();
    void closeStrayModals();

    QTimer pollTimer_;
    QTimer watchdog_;
    QPointer<QWidget> below_;
    Action pending_;
    int handled_ = 0;
    bool watchdogFired_ = false;
};

// Sends a key press and release to the widget that has the focus inside
// `window` (or to the window itself).
void pressKey(QWidget* window, int key);
