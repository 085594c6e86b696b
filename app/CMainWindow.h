// SPDX-License-Identifier: MIT
#pragma once

#include "CardLister.h"
#include "DataFolderOpener.h"
#include "DialogOpeners.h"
#include "ListStatus.h"
#include "ReadingSession.h"
#include "SearchCriteria.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>

class CardListBox;
class DeckParts;
class FilterBar;
class ListFilter;
class ListReadings;
class QAction;
class QCloseEvent;
class StatusLine;
class WindowMenu;
class WindowPlacement;
struct WindowSettings;

// The program's one top-level window: the menu (WindowMenu), the filter bar
// over the card list, the status line, the reading session of the list
// commands, the window's placement, the opening of a data folder, the deck
// and the list's exports, each a part of its own. The window
// keeps the command handlers, On…, one for each menu item.
class CMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainWindow(std::filesystem::path dataDir = ".");
    ~CMainWindow() override;

    // The menu action of a command id; nullptr for an id the menu lacks.
    QAction* commandAction(int id) const;

    void OnAbout() { runAboutDialog(this); }
    void OnExit();
    void OnSearch();
    void OnDetails();
    void OnListAll();
    void OnListRunner();
    void OnListCorp();
    void OnLegend() { runLegendDialog(this); }
    void OnListDblClk();
    void OnOpenDataFolder() { folders_->choose(); }
    void OnStatusBar();
    void OnFileOrder();
    void OnFilterBar();
    void RunSearch();

    // A start without DIR: the cards of the data folder at once, unless the
    // player turned that off (表示 → 起動時にカードを表示); `sample`: the
    // folder is the sample cards', and the status bar says so.
    void listAtStart(bool sample);

    // Lists the cards of `folder`, reads every following command's files
    // from it and keeps it in the settings for the next start: what the
    // folder chooser calls.
    void openDataFolder(const QString& folder) { folders_->open(folder); }

    // The session is ending: the settings are written, the window stays.
    bool OnQueryEndSession();

    void SaveSettings();

    // How long a command reads before the notice shows its progress.
    void setProgressDelay(int ms) { session_->setProgressDelay(ms); }

    const card::CardLister& lister() const { return cards_; }
    CardListBox* listBox() const { return listbox_; }
    FilterBar* filterBar() const;
    DeckParts* deck() const { return deck_; }
    const card::SearchCriteria& searchCriteria() const { return criteria_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void connectCommands();
    void addWindowKeys();
    void addListExport();
    void runListCommand(void (card::CardLister::*command)(), ListStatus::Source source);
    void listCommandEnded(ListStatus::Source source);

    // The parts the lister reads and writes through come first: the reading
    // session, the list and the lister that fills it.
    ReadingSession* session_;
    CardListBox* listbox_;
    card::CardLister cards_;
    card::SearchCriteria criteria_;

    std::unique_ptr<StatusLine> status_;  // not a QObject: the window owns it
    WindowMenu* menu_ = nullptr;
    WindowPlacement* placement_ = nullptr;
    ListFilter* filter_ = nullptr;
    ListReadings* readings_ = nullptr;
    DeckParts* deck_ = nullptr;
    DataFolderOpener* folders_ = nullptr;
};
