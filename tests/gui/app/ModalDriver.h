#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Drives a modal dialog from inside its own event loop: `action` runs on
// the next modal widget that appears. Whatever the action leaves open is
// closed afterwards, and with no modal widget within the deadline the
// driver gives up, so a failing test never hangs. The result tells whether
// a modal widget was seen.
class ModalDriver {
public:
    using Action = std::function<void(QWidget*)>;

    explicit ModalDriver(Action action, int deadlineMs = 10000)
        : state_(std::make_shared<State>())
    {
        auto* timer = new QTimer(qApp);
        timer_ = timer;
        timer->setInterval(5);
        const QDeadlineTimer deadline(deadlineMs);
        auto state = state_;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, state, action] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal && !deadline.hasExpired())
                return;
            timer->stop();
            timer->deleteLater();
            if (!modal)
                return;
            state->seen = true;
            state->objectName = modal->objectName();
            QPointer<QWidget> guard(modal);
            action(modal);
            if (guard && guard->isVisible())
                guard->close();  // the action failed: don't leave it hanging
        });
        timer->start();
    }

    // A driver that saw nothing stops looking when its test ends, so it
    // cannot grab the next test's dialog.
    ~ModalDriver()
    {
        if (timer_)
            timer_->deleteLater();
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool seen() const { return state_->seen; }
    QString objectName() const { return state_->objectName; }

private:
    QPointer<QTimer> timer_;
    struct State {
        bool seen = false;
        QString objectName;
    };
    std::shared_ptr<State> state_;
};

// Closes a message box with OK and hands back its title and text.
struct SeenMessage {
    QString title;
    QString text;
    int count = 0;
};

inline ModalDriver::Action acceptMessageBox(std::shared_ptr<SeenMessage> seen)
{
    return [seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        seen->title = box->windowTitle();
        seen->text = box->text();
        ++seen->count;
        box->button(QMessageBox::Ok)->click();
    };
}

// Closes any modal widget that stays up longer than `patienceMs`, which no
// driver took care of, so that a test that went wrong fails instead of
// hanging. `closed()` tells whether it had to.
class StrayModalGuard {
public:
    explicit StrayModalGuard(int patienceMs = 15000) : state_(std::make_shared<State>())
    {
        timer_ = new QTimer(qApp);
        timer_->setInterval(100);
        auto state = state_;
        QObject::connect(timer_, &QTimer::timeout, timer_, [state, patienceMs] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != state->current) {
                state->current = modal;
                state->since.restart();
            } else if (modal && state->since.elapsed() > patienceMs) {
                qWarning("closing a modal widget nobody handled: %s",
                         qPrintable(modal->objectName()));
                state->closed = true;
                modal->close();
            }
        });
        timer_->start();
    }
    ~StrayModalGuard() { timer_->deleteLater(); }
    bool closed() const { return state_->closed; }

private:
    struct State {
        QPointer<QWidget> current;
        QElapsedTimer since;
        bool closed = false;
    };
    std::shared_ptr<State> state_;
    QTimer* timer_;
};

// Closes every modal widget still open, newest first.
inline void closeStrayModals()
{
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        modal->close();
        QApplication::processEvents();
    }
}
