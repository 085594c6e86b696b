// SPDX-License-Identifier: MIT
#pragma once

#include "FinderUi.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include <memory>

class NowSearchDialog;
class QAction;
class QWidget;

// The screen side of a list command or a search while it reads: its
// messages, the searching-now notice with the progress and 中止 (or Esc), the
// events between slices of the reading, and the commands that must not start
// a second reading inside the first, disabled meanwhile.
class ReadingSession : public QObject, public card::FinderUi {
    Q_OBJECT
public:
    explicit ReadingSession(QWidget& window);
    ~ReadingSession() override;

    // Grey in the menu and dead on their keys while a reading yields.
    void disableWhileReading(QList<QAction*> commands) { commands_ = std::move(commands); }
    // How long a command reads before the notice shows its progress and
    // the window answers again (tests shorten it).
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

    // A command is reading: the notice is up.
    bool reading() const { return notice_ != nullptr; }
    // The window was asked to close during a reading: the reading stops and
    // the window closes once the command is over.
    void stopAndClose();

    // FinderUi
    void showMessage(const card::EngineMessage& message) override;
    void showNotice() override;
    void hideNotice() override;
    bool keepReading(const card::ReadProgress& progress) override;

signals:
    // A data file could not be opened; its whole path.
    void openFailed(const QString& path);
    // The events are about to run in the middle of a reading.
    void yielding();

private:
    void enableCommands(bool enable);

    QWidget& window_;
    QList<QAction*> commands_;
    std::unique_ptr<NowSearchDialog> notice_;
    bool activeBeforeNotice_ = false;
    // The reading under way: since when, since the last events, and what
    // the user asked of it.
    QElapsedTimer readingClock_;
    QElapsedTimer sinceEvents_;
    int progressDelayMs_ = 500;
    bool stopRequested_ = false;
    bool closeAfterReading_ = false;
};
