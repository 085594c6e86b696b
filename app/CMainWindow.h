// SPDX-License-Identifier: MIT
#pragma once

#include "CardListView.h"
#include "CardLister.h"
#include "FinderUi.h"
#include "ListStatus.h"
#include "SearchCriteria.h"
#include "WindowRect.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

class CardFilterRunner;
class CardListBox;
class DeckParts;
struct WindowSettings;
class FilterBar;
class NowSearchDialog;
class QAction;
class QCloseEvent;
class QLabel;

// The program's one top-level window: a menu, its keys and the card list
// over the whole client area. Each command is a menu action connected to
// its On… handler, with the command's keys on the action; the action's
// object name "command<id>" carries the command id.
class CMainWindow : public QMainWindow, public card::CardListView, public card::FinderUi {
    Q_OBJECT
public:
    explicit CMainWindow(std::filesystem::path dataDir = ".");
    ~CMainWindow() override;

    // The menu action of a command id; nullptr for an id the menu lacks.
    QAction* commandAction(int id) const;

    void OnAbout();
    void OnExit();
    void OnSearch();
    void OnDetails();
    void OnListAll();
    void OnListRunner();
    void OnListCorp();
    void OnLegend();
    void OnListDblClk();
    void OnOpenDataFolder();
    void OnStatusBar();
    void OnFileOrder();
    void OnFilterBar();
    void RunSearch();

    // Lists the cards of `folder`, reads every following command's files
    // from it and keeps it in the settings for the next start: what the
    // folder chooser calls.
    void openDataFolder(const QString& folder);

    // The session is ending: the settings are written, the window stays.
    bool OnQueryEndSession();

    void SaveSettings();

    // CardListView
    void resetContent() override;
    void addCard(const card::CardView& card) override;
    void selectFirstLine() override;
    void setRedraw(bool on) override;
    // FinderUi
    void showMessage(const card::EngineMessage& message) override;
    void showNotice() override;
    void hideNotice() override;
    bool keepReading(const card::ReadProgress& progress) override;

    // How long a command reads before the notice shows its progress and
    // the window answers again (tests shorten it).
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

    const card::CardLister& lister() const { return cards_; }
    CardListBox* listBox() const { return listbox_; }
    FilterBar* filterBar() const { return filterBar_; }
    DeckParts* deck() const { return deck_; }
    const card::SearchCriteria& searchCriteria() const { return criteria_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void OnCreate(const WindowSettings& settings);
    void OnClose();
    void stopReadingAndClose();
    // A command is reading: the notice is up. Events run between its slices
    // once it shows progress; the other reading commands are disabled.
    bool reading() const { return notice_ != nullptr; }
    void enableReadingCommands(bool enable);
    void buildMenu();
    void buildStatusBar(bool visible);
    void buildFilterBar(const WindowSettings& settings);
    void filterTextChanged();
    void showFilteredCards();
    void leaveFilterForList(bool toFirstLine);
    void focusFilter();
    void showListStatus(ListStatus::Source source);
    QString listStatusText(ListStatus::Source source) const;
    void addExports();
    void showFolderStatus();
    void noteSettingsNotWritten(const QString& file);
    void runListCommand(void (card::CardLister::*command)(), ListStatus::Source source);
    void connectCommands();
    void putKeysOnActions();
    void placeWindow(const WindowRect& creationRect);
    void fitFrameToCreationRect();

    // Members in the order the window's description gives them: the cards
    // (held by the lister, which owns them), the list, the criteria.
    card::CardLister cards_;
    CardListBox* listbox_ = nullptr;
    card::SearchCriteria criteria_;

    FilterBar* filterBar_ = nullptr;
    DeckParts* deck_ = nullptr;
    CardFilterRunner* filterRunner_ = nullptr;
    std::optional<ListStatus::Source> listSource_;  // of the last command that filled the list

    std::map<int, QAction*> commands_;  // the menu's actions by command id, as made
    QLabel* statusText_ = nullptr;
    QString openFailure_;         // of the command under way, for its status
    QString unwritableSettings_;  // the settings file a write failed on
    QString unrememberedFolder_;  // chosen while the settings could not be written
    std::unique_ptr<NowSearchDialog> notice_;
    bool activeBeforeNotice_ = false;
    // The reading under way: since when, since the last events, and what
    // the user asked of it.
    QElapsedTimer readingClock_;
    QElapsedTimer sinceEvents_;
    int progressDelayMs_ = 500;
    bool stopRequested_ = false;
    bool closeAfterReading_ = false;
    QRect placement_;  // the frame rectangle taken from the stored one
    bool frameFitPending_ = false;
};
