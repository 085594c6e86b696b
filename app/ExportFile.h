// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <filesystem>
#include <functional>

class QIODevice;
class QWidget;

// Where an export goes and how it is written: a file chosen in the save
// dialog, never one of the data folder's card files, written whole or not
// at all.
class ExportFile {
public:
    // The file the player chose for `what` ("CSV", "PDF"), or empty when
    // cancelled or refused (a card file: said in a message box).
    static QString choose(QWidget& window, const QString& what, const QString& name,
                          const std::filesystem::path& dataDir);
    // Writes through `write` into `path`, renamed into place only when
    // `write` succeeded; the reason it failed, naming the file, or empty.
    static QString save(const QString& path, const QString& what, const std::function<bool(QIODevice&)>& write);
};
