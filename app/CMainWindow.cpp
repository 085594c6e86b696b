// SPDX-License-Identifier: MIT
#include "CMainWindow.h"

#include "CardListBox.h"
#include "CardListHeader.h"
#include "DataFolderChooser.h"
#include "DataFolderSettings.h"
#include "DeckExport.h"
#include "DeckMenu.h"
#include "DeckParts.h"
#include "DetailDialog.h"
#include "DialogOpeners.h"
#include "DialogTemplate.h"
#include "FilterBar.h"
#include "ListExport.h"
#include "ListFilter.h"
#include "MessageBox.h"
#include "ReadingSession.h"
#include "SearchDialog.h"
#include "StatusLine.h"
#include "WindowMenu.h"
#include "WindowPlacement.h"
#include "WindowSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QSessionManager>
#include <QStatusBar>

CMainWindow::CMainWindow(std::filesystem::path dataDir)
    : session_(new ReadingSession(*this)), listbox_(new CardListBox(this)),
      cards_(*listbox_, *session_, std::move(dataDir))
{
    const WindowSettings settings = WindowSettings::load();
    criteria_ = settings.criteria;
    setWindowTitle(QCoreApplication::applicationName());
    listbox_->showCardsOf(cards_.cards(), *session_);
    listbox_->header()->restoreWidths(settings.columns);
    setCentralWidget(listbox_);
    setFocusProxy(listbox_);
    status_ = std::make_unique<StatusLine>(*statusBar());
    statusBar()->setVisible(settings.statusBar);
    menu_ = new WindowMenu(*this);
    filter_ = new ListFilter(*this, *listbox_, cards_.cards(), *session_, *commandAction(ID_FILTER_BAR),
                             settings.filterBar, settings.filterFold);
    for (auto changed : {&ListFilter::listFiltered, &ListFilter::notesChanged}) {
        connect(filter_, changed, this, [this] {
            if (listSource_)
                showListStatus();
        });
    }
    connect(filter_, &ListFilter::settingsNotWritten, this,
            [this](const QString& file) { status_->noteSettingsNotWritten(file); });
    connectCommands();
    addWindowKeys();
    commandAction(ID_LIST_AT_START)->setChecked(settings.listAtStart);
    deck_ = new DeckParts(*this, *listbox_, cards_, [this](const QString& text) { status_->showText(text); });
    deck_->menu().restore();
    addExports();
    placement_ = new WindowPlacement(*this, *settings.rect);
    status_->showFolder(cards_.dataDir());
}

CMainWindow::~CMainWindow() = default;

void CMainWindow::connectCommands()
{
    menu_->connectHandlers({
        {ID_OPEN_FOLDER, [this] { OnOpenDataFolder(); }},
        {ID_EXIT, [this] { OnExit(); }},
        {ID_SEARCH, [this] { OnSearch(); }},
        {ID_LIST_ALL, [this] { OnListAll(); }},
        {ID_LIST_RUNNER, [this] { OnListRunner(); }},
        {ID_LIST_CORP, [this] { OnListCorp(); }},
        {ID_DETAIL, [this] { OnDetails(); }},
        {ID_LEGEND, [this] { OnLegend(); }},
        {ID_ABOUT, [this] { OnAbout(); }},
        {ID_STATUS_BAR, [this] { OnStatusBar(); }},
        {ID_FILE_ORDER, [this] { OnFileOrder(); }},
        {ID_FILTER_BAR, [this] { OnFilterBar(); }},
    });
    commandAction(ID_STATUS_BAR)->setChecked(statusBar()->isVisibleTo(this));
    // None of these may start while a reading yields to the window.
    session_->disableWhileReading({commandAction(ID_SEARCH), commandAction(ID_DETAIL), commandAction(ID_LIST_ALL),
                                   commandAction(ID_LIST_RUNNER), commandAction(ID_LIST_CORP),
                                   commandAction(ID_OPEN_FOLDER)});
    connect(session_, &ReadingSession::openFailed, this, [this](const QString& path) { status_->noteOpenFailure(path); });
    // The list shows no line until the reading is over, but it repaints.
    connect(session_, &ReadingSession::yielding, this, [this] { listbox_->setUpdatesEnabled(true); });
    connect(listbox_, &QAbstractItemView::doubleClicked, this, &CMainWindow::OnListDblClk);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { OnQueryEndSession(); });
}

// Without a window manager nobody turns Alt+F4 into a close request; the key
// is the close box's, not the 終了 item's, so it has no menu entry.
void CMainWindow::addWindowKeys()
{
    connect(menu_->addWindowKey(AcceleratorKey::CtrlF, QStringLiteral("findInList")), &QAction::triggered, this,
            [this] { filter_->focusText(); });
    connect(menu_->addWindowKey(AcceleratorKey::AltF4, QStringLiteral("closeWindow")), &QAction::triggered, this,
            &QWidget::close);
}

QAction* CMainWindow::commandAction(int id) const
{
    return menu_->action(id);
}

FilterBar* CMainWindow::filterBar() const
{
    return filter_->bar();
}

void CMainWindow::setProgressDelay(int ms)
{
    session_->setProgressDelay(ms);
}

void CMainWindow::SaveSettings()
{
    WindowSettings settings;
    settings.rect = placement_->toStore();
    settings.criteria = criteria_;
    settings.statusBar = statusBar()->isVisibleTo(this);
    settings.filterBar = filterBar()->isVisibleTo(this);
    settings.filterFold = filterBar()->fold();
    settings.listAtStart = commandAction(ID_LIST_AT_START)->isChecked();
    settings.columns = listbox_->header()->storedWidths();
    deck_->menu().saveSettings();
    // A failed write keeps the earlier file whole. A folder chosen while the
    // settings could not be written is tried again with the rest.
    settings.dataFolder = unrememberedFolder_;
    if (const QString unwritten = settings.save(); unwritten.isEmpty()) {
        status_->settingsWritten();
        unrememberedFolder_.clear();
    } else {
        status_->noteSettingsNotWritten(unwritten);
    }
}

void CMainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        listbox_->setFocus(Qt::ActiveWindowFocusReason);
}

// A close during a reading (possible only once the notice shows progress
// and events run) stops it; the window closes once the command is over. The
// closing window says once more that the settings could not be written,
// since the folder and the search will be forgotten.
void CMainWindow::closeEvent(QCloseEvent* event)
{
    if (session_->reading()) {
        session_->stopAndClose();
        event->ignore();
        return;
    }
    if (!deck_->menu().maybeSave()) {
        event->ignore();
        return;
    }
    SaveSettings();
    if (!status_->unwritableSettings().isEmpty())
        showMessageBox(this, QStringLiteral("設定を保存できない\n") + status_->unwritableSettings());
    event->accept();
}

bool CMainWindow::OnQueryEndSession()
{
    SaveSettings();
    return true;
}

void CMainWindow::OnExit()
{
    // Posted: the close runs after this command, as from the close box.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMainWindow::OnAbout()
{
    runAboutDialog(this);
}

void CMainWindow::OnLegend()
{
    runLegendDialog(this);
}

void CMainWindow::OnListAll()
{
    runListCommand(&card::CardLister::OnListAll, ListStatus::Source::AllCards);
}

void CMainWindow::OnListRunner()
{
    runListCommand(&card::CardLister::OnListRunner, ListStatus::Source::RunnerCards);
}

void CMainWindow::OnListCorp()
{
    runListCommand(&card::CardLister::OnListCorp, ListStatus::Source::CorporateCards);
}

void CMainWindow::runListCommand(void (card::CardLister::*command)(), ListStatus::Source source)
{
    status_->commandStarts();
    (cards_.*command)();
    listCommandEnded(source);
}

void CMainWindow::RunSearch()
{
    status_->commandStarts();
    if (cards_.RunSearch(criteria_))
        listCommandEnded(ListStatus::Source::Search);
}

// The list is new: the status says what it shows, and the filter's text
// filters it afresh.
void CMainWindow::listCommandEnded(ListStatus::Source source)
{
    listSource_ = source;
    showListStatus();
    filter_->cardsChanged();
}

void CMainWindow::showListStatus()
{
    status_->showList({*listSource_, cards_.lineCount(), criteria_, cards_.earlyEnds()}, filter_->shownLines(),
                      filter_->unholdable(), filter_->textCut(), filter_->notes());
}

// The list's and the deck's CSV, print and PDF, in ファイル before 終了 and
// at the end of デッキ. The printed title is the status bar's text about
// the list, with the filter's words that made the pages.
void CMainWindow::addExports()
{
    auto* list = new ListExport(*this, *listbox_, cards_, [this] {
        const QString status = listSource_ ? status_->listText({*listSource_, cards_.lineCount(), criteria_,
                                                                cards_.earlyEnds()},
                                                               filter_->shownLines(), filter_->unholdable(),
                                                               filter_->textCut(), QString())
                                           : QStringLiteral("カードリスト");
        const QString words = filterBar()->text().trimmed();
        return words.isEmpty() || status.contains(words) ? status : status + QStringLiteral(" (") + words + u')';
    });
    QAction* exit = commandAction(ID_EXIT);
    list->addToMenu(*qobject_cast<QMenu*>(exit->parent()), exit);
    (new DeckExport(*this, deck_->document()))->addToMenu(*deck_->menu().menu());
}

void CMainWindow::OnStatusBar()
{
    statusBar()->setVisible(commandAction(ID_STATUS_BAR)->isChecked());
}

void CMainWindow::OnFileOrder()
{
    listbox_->header()->showFileOrder();
}

void CMainWindow::OnFilterBar()
{
    filter_->showBar(commandAction(ID_FILTER_BAR)->isChecked());
}

void CMainWindow::listAtStart(bool sample)
{
    readsSample_ = sample;
    if (!commandAction(ID_LIST_AT_START)->isChecked() || !DataFolderSettings::holdsDataFile(cards_.dataDir()))
        return;
    OnListAll();
    if (sample)
        status_->showSample();
}

// The chooser starts in the data folder; while that is the sample's, where
// the program was started (Documents, from the Start menu), which is nearer
// the player's own cards than the program's folder.
void CMainWindow::OnOpenDataFolder()
{
    const QString current = readsSample_ ? QDir::currentPath()
                                         : QDir(QString::fromStdU16String(cards_.dataDir().u16string())).absolutePath();
    const QString folder = DataFolderChooser::choose(this, current);
    if (!folder.isEmpty())  // cancelled: nothing changes
        openDataFolder(folder);
}

void CMainWindow::openDataFolder(const QString& folder)
{
    cards_.setDataDir(DataFolderSettings::toPath(folder));
    readsSample_ = false;
    deck_->dataFolderChanged(cards_.dataDir());
    OnListAll();
    unrememberedFolder_.clear();
    if (const QString unwritten = DataFolderSettings::remember(folder); !unwritten.isEmpty()) {
        unrememberedFolder_ = folder;
        status_->noteSettingsNotWritten(unwritten);
    }
}

void CMainWindow::OnSearch()
{
    SearchDialog dialog(this);
    dialog.criteria = criteria_;
    if (dialog.DoModal() != IDOK)
        return;
    criteria_ = dialog.criteria;
    RunSearch();
}

void CMainWindow::OnDetails()
{
    const card::CardStore& listed = cards_.cards();
    if (listed.empty())
        return;
    // The card of the line, wherever the order has put the line.
    const int row = listbox_->selectedCard();
    if (row < 0) {
        showMessageBox(this, QStringLiteral("対象項目を選択して下さい"));
        return;
    }
    if (static_cast<std::size_t>(row) >= listed.size())
        return;  // the list and the cards are filled together; never here
    DetailDialog dialog(this);
    dialog.card = listed[static_cast<std::size_t>(row)].toCard();
    dialog.DoModal();
}

// As Enter: nothing while a reading has the command disabled.
void CMainWindow::OnListDblClk()
{
    commandAction(ID_DETAIL)->trigger();
}
