#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Drives modal widgets from inside their own event loops. The actions given
// to then() run in order, each on the next modal widget that comes on top
// and is not already being handled, so an action may queue the next one and
// open it (a message box over a dialog, a dialog over a dialog). A watchdog
// closes any modal widget that stays on top longer than the patience and
// counts it as a stray, so a failing test ends instead of hanging.
class ModalDriver {
public:
    using Action = std::function<void(QWidget* modal)>;

    explicit ModalDriver(int patienceMs = 5000);
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    ModalDriver& then(Action action);

    int pending() const { return static_cast<int>(queue_.size()); }
    int strays() const { return strays_; }

    // Closes a modal widget as its close box would (a dialog is rejected).
    static void close(QWidget* modal);

private:
    void poll();

    QTimer timer_;
    QList<Action> queue_;
    QList<QPointer<QWidget>> busy_;
    QPointer<QWidget> top_;
    QElapsedTimer topSince_;
    int patienceMs_;
    int strays_ = 0;
};

// An action for a message box: appends "title | text" to the log and presses
// OK. A box that is not a plain-text box with one OK button and no icon is
// logged with " (not plain)" appended, so comparing the log checks that too.
ModalDriver::Action acceptMessage(QStringList& log);

// The text of the named child widget: a label, a line edit or a text box.
QString childText(QWidget* parent, const QString& objectName);

// Clicks the child button "id<id>" of a dialog.
void clickId(QWidget* dialog, int id);
