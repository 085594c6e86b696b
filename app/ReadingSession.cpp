// SPDX-License-Identifier: MIT
#include "ReadingSession.h"

#include "MessageBox.h"
#include "NowSearchDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

ReadingSession::ReadingSession(QWidget& window) : QObject(&window), window_(window) {}

ReadingSession::~ReadingSession() = default;

void ReadingSession::stopAndClose()
{
    stopRequested_ = true;
    closeAfterReading_ = true;
}

// A file that cannot be opened is also named with its whole path, after the
// box: the player sees where the program looked.
void ReadingSession::showMessage(const card::EngineMessage& message)
{
    showMessageBox(&window_, QString::fromStdString(card::messageText(message)));
    if (message.kind == card::EngineMessage::OpenFailed)
        emit openFailed(QDir::toNativeSeparators(QFileInfo(QString::fromStdString(message.path)).absoluteFilePath()));
}

void ReadingSession::showNotice()
{
    activeBeforeNotice_ = window_.isActiveWindow();
    stopRequested_ = closeAfterReading_ = false;
    notice_ = std::make_unique<NowSearchDialog>(&window_);
    connect(notice_.get(), &NowSearchDialog::stopRequested, this, [this] { stopRequested_ = true; });
    connect(notice_.get(), &NowSearchDialog::closeRequested, this, &ReadingSession::stopAndClose);
    readingClock_.start();
    sinceEvents_.invalidate();
    enableCommands(false);
}

void ReadingSession::enableCommands(bool enable)
{
    for (QAction* command : commands_)
        command->setEnabled(enable);
}

// Slices of the reading with the events in between, on this one thread: the
// engine, the store and the messages stay single-threaded, and the list
// (reset, showing no line) is not read while the store grows. A slice ends
// every 30 ms, so the window repaints and answers well within 100 ms.
bool ReadingSession::keepReading(const card::ReadProgress& progress)
{
    constexpr int kSliceMs = 30;
    if (!notice_ || readingClock_.elapsed() < progressDelayMs_)
        return true;
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kSliceMs)
        return !stopRequested_;
    notice_->showProgress(progress.bytesRead, progress.bytesTotal, progress.cards);
    emit yielding();
    QCoreApplication::processEvents();
    sinceEvents_.start();
    return !stopRequested_;
}

// The notice may take the activation when it shows; without a window
// manager nobody gives it back when it goes, and the keys would be dead.
void ReadingSession::hideNotice()
{
    notice_.reset();
    enableCommands(true);
    if (activeBeforeNotice_ || closeAfterReading_)
        window_.activateWindow();
    if (closeAfterReading_)  // after the command, as the Exit command does
        QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}
