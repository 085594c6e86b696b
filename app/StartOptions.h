// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line of the window program: voxtarn [DIR], --help, --version.
// Qt's own options (-style, -stylesheet, -reverse, -platform, …) are the
// application object's: it takes them out before ours are parsed.
class StartOptions {
public:
    // Answers --help and --version on standard output before any window
    // system is touched, so they work without a display; the exit status,
    // or nullopt when the window should start.
    static std::optional<int> answerWithoutWindow(int argc, char** argv);

    // The arguments that the application object left after taking Qt's own
    // options; `error` says what is wrong when they cannot be taken.
    static StartOptions parse(const QStringList& arguments);

    bool help = false;
    bool version = false;
    QString dataFolder;  // DIR as given; empty when none
    QString font;        // -font FAMILY, which Qt 6 no longer takes itself
    QString error;       // one line for standard error; empty when fine
};
