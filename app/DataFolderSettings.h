// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <filesystem>

// The folder that holds corp.txt and runner.txt: chosen at start, and the
// one opened last, kept in the settings (group "data", key "folder").
class DataFolderSettings {
public:
    struct Start {
        std::filesystem::path folder;
        bool argumentNotFound = false;  // the DIR given is no folder
    };

    // The folder named on the command line when it is one; else the current
    // folder when it holds either data file; else the folder opened last
    // when it still exists; else the current folder.
    static Start atStart(const QString& argument, const std::filesystem::path& current = ".");

    // Written at once, so that a later start finds it whatever happens.
    static void remember(const QString& folder);

    static std::filesystem::path toPath(const QString& folder);
};
