// SPDX-License-Identifier: MIT
#pragma once

#include "ListStatus.h"

#include <QString>

#include <filesystem>

namespace card {
class CardLister;
}
class ListFilter;
class QLabel;
class QStatusBar;

// Every text the status bar shows, made here: the data folder before the
// first command, then what the list shows (ListStatus), a data file that
// could not be opened, and a settings file that could not be written.
class StatusLine {
public:
    // The list's texts come from `lister` and `filter`.
    StatusLine(QStatusBar& bar, const card::CardLister& lister, const ListFilter& filter);

    // Where the commands will read, or how to choose a folder when
    // `dataDir` holds no data file.
    void showFolder(const std::filesystem::path& dataDir);
    // The sample cards are listed: says so, and how to choose one's own.
    void showSample();
    // A command begins: an open failure of the command before no longer holds.
    void commandStarts() { openFailure_.clear(); }
    void noteOpenFailure(const QString& path);
    // A list command ended: the list shows the cards of `source` (a
    // search's by `criteria`), as showList() says from now on.
    void listMade(ListStatus::Source source, const card::SearchCriteria& criteria);
    // What the list shows, the filter's notes, and the open failure of this
    // command after them; nothing before the first list.
    void showList();
    // That text without the filter's notes, for the printed list's title;
    // empty before the first list.
    QString listText() const;

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

    QString listText(const QString& filterNotes) const;

    const card::CardLister& lister_;
    const ListFilter& filter_;
    QLabel* text_;
    std::optional<ListStatus::Source> listSource_;  // of the last command that filled the list
    card::SearchCriteria criteria_;                  // of that command, a search
    QString openFailure_;
    QString unwritableSettings_;
};
