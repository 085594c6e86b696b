// SPDX-License-Identifier: MIT
#include "CMainWindow.h"

#include "CardListBox.h"
#include "CardListHeader.h"
#include "DataFolderOpener.h"
#include "DataFolderSettings.h"
#include "DeckMenu.h"
#include "DeckParts.h"
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
    menu_ = new WindowMenu(*this);
    filter_ = new ListFilter(*this, *listbox_, cards_.cards(), *session_, *commandAction(ID_FILTER_BAR),
                             settings.filterBar, settings.filterFold);
    status_ = std::make_unique<StatusLine>(*statusBar(), cards_, *filter_);
    statusBar()->setVisible(settings.statusBar);
    for (auto changed : {&ListFilter::listFiltered, &ListFilter::notesChanged})
        connect(filter_, changed, this, [this] { status_->showList(); });
    folders_ = new DataFolderOpener(*this, cards_);
    connect(folders_, &DataFolderOpener::opened, this, [this] {
        deck_->dataFolderChanged(cards_.dataDir());
        OnListAll();
    });
    const auto noteUnwritten = [this](const QString& file) { status_->noteSettingsNotWritten(file); };
    connect(filter_, &ListFilter::settingsNotWritten, this, noteUnwritten);
    connect(folders_, &DataFolderOpener::settingsNotWritten, this, noteUnwritten);
    connectCommands();
    addWindowKeys();
    commandAction(ID_LIST_AT_START)->setChecked(settings.listAtStart);
    deck_ = new DeckParts(*this, *listbox_, cards_, [this](const QString& text) { status_->showText(text); });
    deck_->menu().restore();
    addListExport();
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
    settings.dataFolder = folders_->unremembered();
    if (const QString unwritten = settings.save(); unwritten.isEmpty()) {
        status_->settingsWritten();
        folders_->settingsWritten();
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
    status_->listMade(source, criteria_);
    filter_->cardsChanged();
}

// In ファイル before 終了; the printed title is the status bar's text.
void CMainWindow::addListExport()
{
    QAction* exit = commandAction(ID_EXIT);
    (new ListExport(*this, *listbox_, cards_, *filter_, [this] { return status_->listText(); }))
        ->addToMenu(*qobject_cast<QMenu*>(exit->parent()), exit);
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
    folders_->setReadsSample(sample);
    if (!commandAction(ID_LIST_AT_START)->isChecked() || !DataFolderSettings::holdsDataFile(cards_.dataDir()))
        return;
    OnListAll();
    if (sample)
        status_->showSample();
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
    runDetailDialog(this, listed[static_cast<std::size_t>(row)].toCard());
}

// As Enter: nothing while a reading has the command disabled.
void CMainWindow::OnListDblClk()
{
    commandAction(ID_DETAIL)->trigger();
}
