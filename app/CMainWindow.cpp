// SPDX-License-Identifier: MIT
#include "CMainWindow.h"

#include "CardFilterRunner.h"
#include "CardListBox.h"
#include "CardListHeader.h"
#include "DataFolderSettings.h"
#include "DeckExport.h"
#include "DeckMenu.h"
#include "DeckParts.h"
#include "DetailDialog.h"
#include "DialogOpeners.h"
#include "DialogTemplate.h"
#include "FilterBar.h"
#include "ListExport.h"
#include "MainMenu.h"
#include "MessageBox.h"
#include "NowSearchDialog.h"
#include "SearchDialog.h"
#include "WindowLog.h"
#include "WindowSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QWindow>

#include <array>

namespace {

QList<QKeySequence> keysOf(AcceleratorKey key)
{
    switch (key) {
    case AcceleratorKey::None: return {};
    case AcceleratorKey::F1: return {QKeySequence(Qt::Key_F1)};
    case AcceleratorKey::Enter: return {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)};  // keypad Enter too
    case AcceleratorKey::F5: return {QKeySequence(Qt::Key_F5)};
    case AcceleratorKey::CtrlO: return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    }
    return {};
}

// The commands that read the data files or the list being read: none of them
// can run while a reading yields to the window.
constexpr std::array kReadingCommands = {ID_SEARCH,      ID_DETAIL,    ID_LIST_ALL,
                                         ID_LIST_RUNNER, ID_LIST_CORP, ID_OPEN_FOLDER};

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// Stands in for the system's default size of a new window.
QSize defaultWindowSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(800, 600);
    return available * 3 / 4;
}

QString commandObjectName(int id)
{
    return QStringLiteral("command%1").arg(id);
}

}  // namespace

CMainWindow::CMainWindow(std::filesystem::path dataDir) : cards_(*this, *this, std::move(dataDir))
{
    const WindowSettings settings = WindowSettings::load();
    criteria_ = settings.criteria;
    setWindowTitle(QCoreApplication::applicationName());
    OnCreate(settings);
    placeWindow(*settings.rect);
    showFolderStatus();
}

CMainWindow::~CMainWindow() = default;

void CMainWindow::OnCreate(const WindowSettings& settings)
{
    listbox_ = new CardListBox(cards_.cards(), *this, this);
    listbox_->header()->restoreWidths(settings.columns);
    setCentralWidget(listbox_);
    setFocusProxy(listbox_);
    buildStatusBar(settings.statusBar);
    buildFilterBar(settings);
    buildMenu();
    connectCommands();
    putKeysOnActions();
    deck_ = new DeckParts(*this, *listbox_, cards_, [this](const QString& text) { statusText_->setText(text); });
    deck_->menu().restore();
    addExports();
    connect(listbox_, &QAbstractItemView::doubleClicked, this, &CMainWindow::OnListDblClk);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { OnQueryEndSession(); });
    }
}

void CMainWindow::buildMenu()
{
    for (const MenuPopup& popup : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItem& item : popup.items) {
            if (item.isSeparator()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromStdString(menuText(item)));
            action->setObjectName(commandObjectName(item.command));
            action->setCheckable(item.checkable);
            commands_[item.command] = action;
        }
    }
    commandAction(ID_STATUS_BAR)->setChecked(statusBar()->isVisibleTo(this));
    commandAction(ID_FILTER_BAR)->setChecked(filterBar_->isVisibleTo(this));
}

// Over the list, under the menu bar. Its text is not kept between runs, the
// check box and whether it shows are.
void CMainWindow::buildFilterBar(const WindowSettings& settings)
{
    filterBar_ = new FilterBar(this);
    filterBar_->setFold(settings.filterFold);
    filterBar_->setVisible(settings.filterBar);
    addToolBar(Qt::TopToolBarArea, filterBar_);
    filterRunner_ = new CardFilterRunner(cards_.cards(), this);
    connect(filterBar_, &FilterBar::changed, this, &CMainWindow::filterTextChanged);
    connect(filterBar_, &FilterBar::leftForList, this, &CMainWindow::leaveFilterForList);
    connect(filterRunner_, &CardFilterRunner::finished, this, &CMainWindow::showFilteredCards);
    auto* find = new QAction(this);
    find->setObjectName(QStringLiteral("findInList"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(find);
    connect(find, &QAction::triggered, this, &CMainWindow::focusFilter);
}

// Names the data folder until a command has run.
void CMainWindow::buildStatusBar(bool visible)
{
    statusText_ = new QLabel(statusBar());
    statusText_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusText_, 1);
    statusBar()->setVisible(visible);
}

QAction* CMainWindow::commandAction(int id) const
{
    const auto command = commands_.find(id);
    return command == commands_.end() ? nullptr : command->second;
}

void CMainWindow::connectCommands()
{
    const auto command = [this](int id, void (CMainWindow::*handler)()) {
        connect(commandAction(id), &QAction::triggered, this, handler);
    };
    command(ID_OPEN_FOLDER, &CMainWindow::OnOpenDataFolder);
    command(ID_EXIT, &CMainWindow::OnExit);
    command(ID_SEARCH, &CMainWindow::OnSearch);
    command(ID_LIST_ALL, &CMainWindow::OnListAll);
    command(ID_LIST_RUNNER, &CMainWindow::OnListRunner);
    command(ID_LIST_CORP, &CMainWindow::OnListCorp);
    command(ID_DETAIL, &CMainWindow::OnDetails);
    command(ID_LEGEND, &CMainWindow::OnLegend);
    command(ID_ABOUT, &CMainWindow::OnAbout);
    command(ID_STATUS_BAR, &CMainWindow::OnStatusBar);
    command(ID_FILE_ORDER, &CMainWindow::OnFileOrder);
    command(ID_FILTER_BAR, &CMainWindow::OnFilterBar);
}

// The menu item's text after its TAB names the key; an action whose text
// has one shows that, not the shortcut's own name.
void CMainWindow::putKeysOnActions()
{
    for (const Accelerator& accelerator : mainAccelerators())
        commandAction(accelerator.command)->setShortcuts(keysOf(accelerator.key));
    // Without a window manager nobody turns Alt+F4 into a close request; the
    // key is the close box's, not the 終了 item's, so it has no menu entry.
    auto* closeAction = new QAction(this);
    closeAction->setObjectName(QStringLiteral("closeWindow"));
    closeAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
}

// --- Settings -----------------------------------------------------------

void CMainWindow::SaveSettings()
{
    WindowSettings settings;
    if (!isMinimized())
        settings.rect = WindowRect::fromFrame(frameGeometry());
    settings.criteria = criteria_;
    settings.statusBar = statusBar()->isVisibleTo(this);
    settings.filterBar = filterBar_->isVisibleTo(this);
    settings.filterFold = filterBar_->fold();
    settings.columns = listbox_->header()->storedWidths();
    deck_->menu().saveSettings();
    // A failed write keeps the earlier file whole. A folder chosen while the
    // settings could not be written is tried again with the rest.
    settings.dataFolder = unrememberedFolder_;
    if (const QString unwritten = settings.save(); unwritten.isEmpty()) {
        unwritableSettings_.clear();
        unrememberedFolder_.clear();
    } else {
        noteSettingsNotWritten(unwritten);
    }
}

// Said at once in the status bar; the closing window says it once more in a
// message box, since the folder and the search will be forgotten.
void CMainWindow::noteSettingsNotWritten(const QString& file)
{
    qCWarning(lcWindow, "the settings could not be written to %s", qUtf8Printable(file));
    unwritableSettings_ = QDir::toNativeSeparators(file);
    const QString before = statusText_->text();
    statusText_->setText((before.isEmpty() ? before : before + u'、') + QStringLiteral("設定を保存できない: ") +
                         unwritableSettings_);
}

// --- Placement ----------------------------------------------------------

void CMainWindow::placeWindow(const WindowRect& creationRect)
{
    const std::optional<QRect> frame = creationRect.placementOn(availableAreas());
    if (!frame) {
        resize(defaultWindowSize());
        return;
    }
    placement_ = *frame;
    move(placement_.topLeft());  // a top-level window's position is its frame's
    resize(placement_.size());
    frameFitPending_ = true;
}

// The stored rectangle includes the frame, which is known only once a window
// manager has framed the window; the client area then shrinks by it once.
void CMainWindow::fitFrameToCreationRect()
{
    if (!frameFitPending_ || !windowHandle())
        return;
    const QMargins margins = windowHandle()->frameMargins();
    if (margins.isNull())
        return;
    frameFitPending_ = false;
    resize(placement_.width() - margins.left() - margins.right(),
           placement_.height() - margins.top() - margins.bottom());
    move(placement_.topLeft());
}

void CMainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitFrameToCreationRect();
}

void CMainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitFrameToCreationRect();
}

void CMainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        fitFrameToCreationRect();
        frameFitPending_ = false;  // no frame by now: no window manager
        if (listbox_)
            listbox_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

// --- Closing ------------------------------------------------------------

// A close during a reading (possible only once the notice shows progress
// and events run) stops it; the window closes once the command is over.
void CMainWindow::closeEvent(QCloseEvent* event)
{
    if (notice_) {
        stopReadingAndClose();
        event->ignore();
        return;
    }
    if (!deck_->menu().maybeSave()) {
        event->ignore();
        return;
    }
    OnClose();
    event->accept();
}

void CMainWindow::stopReadingAndClose()
{
    stopRequested_ = true;
    closeAfterReading_ = true;
}

void CMainWindow::OnClose()
{
    SaveSettings();
    if (!unwritableSettings_.isEmpty())
        showMessageBox(this, QStringLiteral("設定を保存できない\n") + unwritableSettings_);
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

// --- Commands -----------------------------------------------------------

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
    openFailure_.clear();
    (cards_.*command)();
    listSource_ = source;
    showListStatus(source);
    filterRunner_->cardsChanged(filterBar_->text(), filterBar_->fold());
}

void CMainWindow::OnStatusBar()
{
    statusBar()->setVisible(commandAction(ID_STATUS_BAR)->isChecked());
}

void CMainWindow::OnFileOrder()
{
    listbox_->header()->showFileOrder();
}

// Hidden, the bar filters nothing.
void CMainWindow::OnFilterBar()
{
    const bool show = commandAction(ID_FILTER_BAR)->isChecked();
    filterBar_->setVisible(show);
    if (!show) {
        filterBar_->setText(QString());
        listbox_->setFocus(Qt::OtherFocusReason);
    }
}

void CMainWindow::focusFilter()
{
    if (!filterBar_->isVisibleTo(this)) {
        commandAction(ID_FILTER_BAR)->setChecked(true);
        filterBar_->setVisible(true);
    }
    filterBar_->focusText();
}

// While a command reads, the store grows: the text typed meanwhile filters
// the cards once the command is over.
void CMainWindow::filterTextChanged()
{
    if (!reading())
        filterRunner_->setText(filterBar_->text(), filterBar_->fold());
}

void CMainWindow::showFilteredCards()
{
    listbox_->showOnly(filterRunner_->cards());
    if (listSource_)
        showListStatus(*listSource_);
}

void CMainWindow::leaveFilterForList(bool toFirstLine)
{
    listbox_->setFocus(Qt::OtherFocusReason);
    if (toFirstLine)
        listbox_->selectFirstLine();
}

void CMainWindow::showListStatus(ListStatus::Source source)
{
    statusText_->setText(listStatusText(source));
}

QString CMainWindow::listStatusText(ListStatus::Source source) const
{
    const ListStatus status{source, cards_.lineCount(), criteria_, cards_.earlyEnds()};
    std::optional<std::size_t> shown;
    if (filterRunner_->filtering())
        shown = static_cast<std::size_t>(listbox_->count());
    return status.text(shown, filterRunner_->unholdable()) + (openFailure_.isEmpty() ? QString() : u'、' + openFailure_);
}

// The list's and the deck's CSV, print and PDF, in ファイル before 終了 and
// at the end of デッキ.
void CMainWindow::addExports()
{
    // The printed title says which filter made the pages.
    auto* list = new ListExport(*this, *listbox_, cards_, [this] {
        const QString status = listSource_ ? listStatusText(*listSource_) : QStringLiteral("カードリスト");
        const QString filter = filterBar_->text().trimmed();
        return filter.isEmpty() || status.contains(filter) ? status : status + QStringLiteral(" (") + filter + u')';
    });
    QAction* exit = commandAction(ID_EXIT);
    list->addToMenu(*qobject_cast<QMenu*>(exit->parent()), exit);
    (new DeckExport(*this, deck_->document()))->addToMenu(*deck_->menu().menu());
}

// Before the first command: where the commands will read, or how to choose
// a folder when this one holds no data file.
void CMainWindow::showFolderStatus()
{
    if (!DataFolderSettings::holdsDataFile(cards_.dataDir())) {
        statusText_->setText(QStringLiteral(
            "corp.txt と runner.txt のあるフォルダを ファイル → データフォルダを開く (Ctrl+O) で選んでください"));
        return;
    }
    const QString folder = QString::fromStdU16String(cards_.dataDir().u16string());
    statusText_->setText(QStringLiteral("データフォルダ: ") + QDir::toNativeSeparators(QDir(folder).absolutePath()));
}

void CMainWindow::OnOpenDataFolder()
{
    const QString current = QDir(QString::fromStdU16String(cards_.dataDir().u16string())).absolutePath();
    // Files shown too: the player sees corp.txt and runner.txt while choosing.
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("データフォルダを開く"), current,
                                                             QFileDialog::Options());
    if (!folder.isEmpty())  // cancelled: nothing changes
        openDataFolder(folder);
}

void CMainWindow::openDataFolder(const QString& folder)
{
    cards_.setDataDir(DataFolderSettings::toPath(folder));
    deck_->dataFolderChanged(cards_.dataDir());
    OnListAll();
    unrememberedFolder_.clear();
    if (const QString unwritten = DataFolderSettings::remember(folder); !unwritten.isEmpty()) {
        unrememberedFolder_ = folder;
        noteSettingsNotWritten(unwritten);
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

void CMainWindow::RunSearch()
{
    openFailure_.clear();
    if (!cards_.RunSearch(criteria_))
        return;
    listSource_ = ListStatus::Source::Search;
    showListStatus(ListStatus::Source::Search);
    filterRunner_->cardsChanged(filterBar_->text(), filterBar_->fold());
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

// --- The engine's view of the window -----------------------------------

// The filter must not read the store while a command refills it.
void CMainWindow::resetContent()
{
    filterRunner_->stop();
    listbox_->resetContent();
}

void CMainWindow::addCard(const card::CardView&)
{
    listbox_->addCard();
}

void CMainWindow::selectFirstLine()
{
    listbox_->selectFirstLine();
}

void CMainWindow::setRedraw(bool on)
{
    listbox_->setRedraw(on);
}

// A file that cannot be opened is named with its whole path in the status
// bar, after the box: the player sees where the program looked.
void CMainWindow::showMessage(const card::EngineMessage& message)
{
    showMessageBox(this, QString::fromStdString(card::messageText(message)));
    if (message.kind != card::EngineMessage::OpenFailed)
        return;
    const QString path = QFileInfo(QString::fromStdString(message.path)).absoluteFilePath();
    openFailure_ = QStringLiteral("データファイルをオープンできない: ") + QDir::toNativeSeparators(path);
    statusText_->setText(openFailure_);
}

void CMainWindow::showNotice()
{
    activeBeforeNotice_ = isActiveWindow();
    stopRequested_ = closeAfterReading_ = false;
    notice_ = std::make_unique<NowSearchDialog>(this);
    connect(notice_.get(), &NowSearchDialog::stopRequested, this, [this] { stopRequested_ = true; });
    connect(notice_.get(), &NowSearchDialog::closeRequested, this, &CMainWindow::stopReadingAndClose);
    readingClock_.start();
    sinceEvents_.invalidate();
    enableReadingCommands(false);
}

// Grey in the menu and dead on their keys while a reading yields to the
// window, which would otherwise start a second one inside the first.
void CMainWindow::enableReadingCommands(bool enable)
{
    for (const int id : kReadingCommands)
        commandAction(id)->setEnabled(enable);
}

// Slices of the reading with the events in between, on this one thread: the
// engine, the store and the messages stay single-threaded, and the list
// (reset, showing no line) is not read while the store grows. A slice ends
// every 30 ms, so the window repaints and answers well within 100 ms.
bool CMainWindow::keepReading(const card::ReadProgress& progress)
{
    constexpr int kSliceMs = 30;
    if (!notice_ || readingClock_.elapsed() < progressDelayMs_)
        return true;
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kSliceMs)
        return !stopRequested_;
    notice_->showProgress(progress.bytesRead, progress.bytesTotal, progress.cards);
    // The list shows no line until the reading is over, but it repaints.
    if (!listbox_->updatesEnabled())
        listbox_->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
    sinceEvents_.start();
    return !stopRequested_;
}

// The notice may take the activation when it shows; without a window
// manager nobody gives it back when it goes, and the keys would be dead.
void CMainWindow::hideNotice()
{
    notice_.reset();
    enableReadingCommands(true);
    if (activeBeforeNotice_ || closeAfterReading_)
        activateWindow();
    if (closeAfterReading_)  // after the command, as the Exit command does
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}
