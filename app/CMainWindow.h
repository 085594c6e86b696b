#pragma once

#include "CardListView.h"
#include "CardLister.h"
#include "FinderUi.h"
#include "ListStatus.h"
#include "SearchCriteria.h"
#include "WindowRect.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <span>

class CardListBox;
class NowSearchDialog;
class QCloseEvent;
class QLabel;

// The program's one top-level window: a menu, three accelerators and the
// card list over the whole client area. Every command, from the menu, a
// key or the list, goes through one table of (message, notification code,
// id, handler), so the list's id 100 and the About command's id 100 stay
// apart by their codes.
class CMainWindow : public QMainWindow, public CardListView, public FinderUi {
    Q_OBJECT
public:
    enum class Message { Command };
    static constexpr int IDC_CARDLIST = 100;
    static constexpr int LBN_DBLCLK = 2;  // the list's double-click notification

    struct CommandEntry {
        Message message;
        int code;
        int id;
        void (CMainWindow::*handler)();
    };
    static std::span<const CommandEntry> commandTable();

    explicit CMainWindow(std::filesystem::path dataDir = ".");
    ~CMainWindow() override;

    // Runs the handler that the table names for this message; false when
    // there is none.
    bool dispatch(Message message, int code, int id);

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
    void RunSearch();

    // Reads every following command's files from `folder` and keeps it in
    // the settings for the next start: what the folder chooser calls.
    void openDataFolder(const QString& folder);

    // The session is ending: the settings are written, the window stays.
    bool OnQueryEndSession();

    void LoadSearchSettings();
    void SaveSettings();

    // CardListView
    void resetContent() override;
    void addString(std::string line) override;
    void selectFirstLine() override;
    void setRedraw(bool on) override;
    // FinderUi
    void showMessage(const EngineMessage& message) override;
    void showNotice() override;
    void hideNotice() override;

    const CardLister& lister() const { return cards; }
    CardListBox* listBox() const { return listbox; }
    const SearchCriteria& searchCriteria() const { return criteria; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void OnCreate();
    void OnClose();
    void buildMenu();
    void buildStatusBar();
    void showListStatus(ListStatus::Source source);
    void buildAccelerators();
    WindowRect readCreationRect() const;
    void placeWindow(const WindowRect& creationRect);
    void fitFrameToCreationRect();

    // Members in the order the window's description gives them: the cards
    // (held by the lister, which owns them), the list, the criteria.
    CardLister cards;
    CardListBox* listbox = nullptr;
    SearchCriteria criteria;

    QLabel* statusText_ = nullptr;
    std::unique_ptr<NowSearchDialog> notice_;
    bool activeBeforeNotice_ = false;
    QRect placement_;  // the frame rectangle taken from the stored one
    bool frameFitPending_ = false;
};
