// SPDX-License-Identifier: MIT
#pragma once

#include "SampleFolder.h"

#include <QApplication>

#include <memory>

class CMainWindow;

// The application: sets the look and the names that the settings and the
// message boxes go by, then creates and shows the main window.
class CMyApp : public QApplication {
    Q_OBJECT
public:
    CMyApp(int& argc, char** argv);
    ~CMyApp() override;

    // False, after a message, only when the system cannot convert CP932:
    // the window would have no card text to show. The cards are read from
    // `folderArgument` (DIR of the command line, listed at once) or the folder
    // the settings choose when it is empty, else the sample cards of
    // `sampleFolder` (see DataFolderSettings::atStart).
    bool InitInstance(const QString& folderArgument = {},
                      const QString& sampleFolder = SampleFolder::of(applicationDirPath()));

    CMainWindow* mainWindow() const { return mainWindow_.get(); }

protected:
    bool event(QEvent* event) override;

private:
    void installQtJapanese();
    static void takeMenuColorsForDialogs();

    // A top-level window has no parent; the application owns it.
    std::unique_ptr<CMainWindow> mainWindow_;
};
