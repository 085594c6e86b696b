// SPDX-License-Identifier: MIT
#pragma once

#include "ListStatus.h"

#include <QString>

#include <filesystem>

class QLabel;
class QStatusBar;

// Every text the status bar shows, made here: the data folder before the
// first command, then what the list shows (ListStatus), a data file that
// could not be opened, and a settings file that could not be written.
class StatusLine {
public:
    explicit StatusLine(QStatusBar& bar);

    // Where the commands will read, or how to choose a folder when
    // `dataDir` holds no data file.
    void showFolder(const std::filesystem::path& dataDir);
    // The sample cards are listed: says so, and how to choose one's own.
    void showSample();
    // A command begins: an open failure of the command before no longer holds.
    void commandStarts() { openFailure_.clear(); }
    void noteOpenFailure(const QString& path);
    // What the list shows, the filter's notes, and the open failure of this
    // command after them.
    void showList(const ListStatus& status, std::optional<std::size_t> shown, const QString& unholdable,
                  bool filterCut, const QString& filterNotes);
    // That text, for the printed list's title.
    QString listText(const ListStatus& status, std::optional<std::size_t> shown, const QString& unholdable,
                     bool filterCut, const QString& filterNotes) const;

    // A part's own report in place of the text shown ("デッキ: 2行はデータにない").
    void showText(const QString& text);

    // Said at once after the text shown; the closing window says it once
    // more in a message box.
    void noteSettingsNotWritten(const QString& file);
    void settingsWritten() { unwritableSettings_.clear(); }
    // The settings file a write failed on, or empty.
    const QString& unwritableSettings() const { return unwritableSettings_; }

private:
    // "ファイル → データフォルダを開く (Ctrl+O)", as the menu names it.
    static QString openFolderCommand();

    QLabel* text_;
    QString openFailure_;
    QString unwritableSettings_;
};
