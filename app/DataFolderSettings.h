// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <filesystem>

// The folder that holds corp.txt and runner.txt: chosen at start, and the
// one opened last, kept in the settings (see WindowSettings).
class DataFolderSettings {
public:
    struct Start {
        std::filesystem::path folder;
        bool argumentNotFound = false;  // the DIR given is neither a folder nor a file
        bool argumentOpened = false;    // DIR, or the folder of the file given, is read at once
        bool sample = false;            // the sample cards: nothing of the player's own to read
    };

    // The folder named on the command line when it is one, or the folder of
    // the file named there (a data file dropped on the launcher); else the current
    // folder when it holds either data file; else the folder opened last
    // when it still exists; else the folder of the sample cards, when there
    // is one; else the current folder.
    static Start atStart(const QString& argument, const std::filesystem::path& current = ".",
                         const QString& sample = {});

    // Written at once, so that a later start finds it whatever happens; the
    // settings file that could not be written, or empty.
    static QString remember(const QString& folder);

    // Whether `folder` holds corp.txt or runner.txt.
    static bool holdsDataFile(const std::filesystem::path& folder);

    static std::filesystem::path toPath(const QString& folder);
};
