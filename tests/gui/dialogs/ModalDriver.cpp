#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

namespace {
constexpr int kPollMs = 10;
constexpr int kWatchdogMs = 10000;
}  // namespace

ModalDriver::ModalDriver(QObject* parent)
    : QObject(parent), pollTimer_(this), watchdog_(this)
{
    pollTimer_.setInterval(kPollMs);
    connect(&pollTimer_, &QTimer::timeout, this, &ModalDriver::poll);
    watchdog_.setSingleShot(true);
    watchdog_.setInterval(kWatchdogMs);
    connect(&watchdog_, &QTimer::timeout, this, &ModalDriver::closeStrayModals);
}

void ModalDriver::onNextModal(Action action)
{
    below_ = QApplication::activeModalWidget();
    pending_ = std::move(action);
    pollTimer_.start();
    watchdog_.start();
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == below_ || !modal->isVisible())
        return;
    pollTimer_.stop();
    Action action = std::move(pending_);
    pending_ = nullptr;
    ++handled_;
    action(modal);
}

void ModalDriver::closeStrayModals()
{
    pollTimer_.stop();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        watchdogFired_ = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

void pressKey(QWidget* window, int key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}
