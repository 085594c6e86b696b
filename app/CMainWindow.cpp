#include "CMainWindow.h"

#include "CardListBox.h"
#include "CardListHeader.h"
#include "Cp932Text.h"
#include "DataFolderSettings.h"
#include "DetailDialog.h"
#include "DialogTemplate.h"
#include "DialogOpeners.h"
#include "MainMenu.h"
#include "MessageBox.h"
#include "NowSearchDialog.h"
#include "ProfileStore.h"
#include "SearchDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QShortcut>
#include <QWindow>

#include <array>

namespace {

constexpr auto kCommandTable = std::to_array<CMainWindow::CommandEntry>({
    {CMainWindow::Message::Command, 0, ID_ABOUT, &CMainWindow::OnAbout},
    {CMainWindow::Message::Command, 0, ID_EXIT, &CMainWindow::OnExit},
    {CMainWindow::Message::Command, 0, ID_SEARCH, &CMainWindow::OnSearch},
    {CMainWindow::Message::Command, 0, ID_DETAIL, &CMainWindow::OnDetails},
    {CMainWindow::Message::Command, 0, ID_LIST_ALL, &CMainWindow::OnListAll},
    {CMainWindow::Message::Command, 0, ID_LIST_RUNNER, &CMainWindow::OnListRunner},
    {CMainWindow::Message::Command, 0, ID_LIST_CORP, &CMainWindow::OnListCorp},
    {CMainWindow::Message::Command, 0, ID_LEGEND, &CMainWindow::OnLegend},
    {CMainWindow::Message::Command, 0, ID_OPEN_FOLDER, &CMainWindow::OnOpenDataFolder},
    {CMainWindow::Message::Command, 0, ID_STATUS_BAR, &CMainWindow::OnStatusBar},
    {CMainWindow::Message::Command, 0, ID_FILE_ORDER, &CMainWindow::OnFileOrder},
    {CMainWindow::Message::Command, CMainWindow::LBN_DBLCLK, CMainWindow::IDC_CARDLIST,
     &CMainWindow::OnListDblClk},
});

const QString kRect = QStringLiteral("rect");
const QString kSearch = QStringLiteral("search");
const QString kView = QStringLiteral("view");
const QString kStatusBar = QStringLiteral("statusbar");

QList<QKeySequence> keysOf(AcceleratorKey key)
{
    switch (key) {
    case AcceleratorKey::F1:
        return {QKeySequence(Qt::Key_F1)};
    case AcceleratorKey::Enter:
        return {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)};  // keypad Enter too
    case AcceleratorKey::F5:
        return {QKeySequence(Qt::Key_F5)};
    case AcceleratorKey::CtrlO:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    }
    return {};
}

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

// The criteria, always copied together and in this order, between the
// window's set and the search dialog's members.
template <typename From, typename To>
void copyCriteria(const From& from, To& to)
{
    to.name = from.name;
    to.type = from.type;
    to.rate = from.rate;
    to.side = from.side;
    to.mode = from.mode;
    to.fold = from.fold;
}

// Values the program never writes would index the dialog's radio tables.
int sideOrZero(int side)
{
    return (side == 0 || side == 1) ? side : 0;
}

int modeOrZero(int mode)
{
    return (mode >= Exact && mode <= Partial) ? mode : 0;
}

}  // namespace

std::span<const CMainWindow::CommandEntry> CMainWindow::commandTable()
{
    return kCommandTable;
}

CMainWindow::CMainWindow(std::filesystem::path dataDir) : cards(*this, *this, std::move(dataDir))
{
    const WindowRect creationRect = readCreationRect();
    LoadSearchSettings();
    setWindowTitle(QCoreApplication::applicationName());
    OnCreate();
    placeWindow(creationRect);
}

CMainWindow::~CMainWindow() = default;

void CMainWindow::OnCreate()
{
    LoadSearchSettings();
    listbox = new CardListBox(this);
    setCentralWidget(listbox);
    setFocusProxy(listbox);
    buildStatusBar();
    buildMenu();
    buildAccelerators();
    connect(listbox, &QAbstractItemView::doubleClicked, this,
            [this] { dispatch(Message::Command, LBN_DBLCLK, IDC_CARDLIST); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { OnQueryEndSession(); });
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
            // The text after the TAB shows as the key name; the keys
            // themselves are the window's accelerators, not the action's.
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setObjectName(QStringLiteral("command%1").arg(item.command));
            action->setCheckable(item.checkable);
            const int id = item.command;
            connect(action, &QAction::triggered, this,
                    [this, id] { dispatch(Message::Command, 0, id); });
        }
    }
    findChild<QAction*>(QStringLiteral("command%1").arg(ID_STATUS_BAR))->setChecked(statusBar()->isVisibleTo(this));
}

// Empty until a command has run; shown unless the settings say it was
// hidden (0): anything else was not written here.
void CMainWindow::buildStatusBar()
{
    statusText_ = new QLabel(statusBar());
    statusText_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusText_, 1);
    statusBar()->setVisible(ProfileStore().getProfileInt(kView, kStatusBar, 1) != 0);
}

void CMainWindow::buildAccelerators()
{
    for (const Accelerator& accelerator : mainAccelerators()) {
        const int id = accelerator.command;
        for (const QKeySequence& keys : keysOf(accelerator.key)) {
            auto* shortcut = new QShortcut(keys, this);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this,
                    [this, id] { dispatch(Message::Command, 0, id); });
        }
    }
    // Without a window manager nobody turns Alt+F4 into a close request.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    altF4->setContext(Qt::WindowShortcut);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
}

bool CMainWindow::dispatch(Message message, int code, int id)
{
    for (const CommandEntry& entry : commandTable()) {
        if (entry.message == message && entry.code == code && entry.id == id) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

// --- Settings -----------------------------------------------------------

WindowRect CMainWindow::readCreationRect() const
{
    const ProfileStore store;
    WindowRect rect;
    rect.left = store.getProfileInt(kRect, QStringLiteral("left"), rect.left);
    rect.top = store.getProfileInt(kRect, QStringLiteral("top"), rect.top);
    rect.right = store.getProfileInt(kRect, QStringLiteral("right"), rect.right);
    rect.bottom = store.getProfileInt(kRect, QStringLiteral("bottom"), rect.bottom);
    return rect;
}

void CMainWindow::LoadSearchSettings()
{
    const ProfileStore store;
    // A stored text that CP932 cannot hold was not typed here: no name.
    criteria.name = toCp932(store.getProfileString(kSearch, QStringLiteral("key"))).value_or("");
    criteria.side = sideOrZero(store.getProfileInt(kSearch, QStringLiteral("type"), 0));
    criteria.mode = modeOrZero(store.getProfileInt(kSearch, QStringLiteral("mode"), 0));
    // Written as 0 or 1; anything else was not written here: off.
    criteria.fold = store.getProfileInt(kSearch, QStringLiteral("fold"), 0) == 1;
}

void CMainWindow::SaveSettings()
{
    ProfileStore store;
    if (!isMinimized()) {
        const WindowRect rect = WindowRect::fromFrame(frameGeometry());
        store.writeProfileInt(kRect, QStringLiteral("left"), rect.left);
        store.writeProfileInt(kRect, QStringLiteral("top"), rect.top);
        store.writeProfileInt(kRect, QStringLiteral("right"), rect.right);
        store.writeProfileInt(kRect, QStringLiteral("bottom"), rect.bottom);
    }
    store.writeProfileString(kSearch, QStringLiteral("key"), fromCp932(criteria.name));
    store.writeProfileInt(kSearch, QStringLiteral("type"), criteria.side);
    store.writeProfileInt(kSearch, QStringLiteral("mode"), criteria.mode);
    store.writeProfileInt(kSearch, QStringLiteral("fold"), criteria.fold ? 1 : 0);
    store.writeProfileInt(kView, kStatusBar, statusBar()->isVisibleTo(this) ? 1 : 0);
    // A failed write keeps the earlier file whole; like every settings
    // write, it is not reported.
    store.flush();
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
        if (listbox)
            listbox->setFocus(Qt::ActiveWindowFocusReason);
    }
}

// --- Closing ------------------------------------------------------------

void CMainWindow::closeEvent(QCloseEvent* event)
{
    OnClose();
    event->accept();
}

void CMainWindow::OnClose()
{
    SaveSettings();
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
    cards.OnListAll();
    showListStatus(ListStatus::Source::AllCards);
}

void CMainWindow::OnListRunner()
{
    cards.OnListRunner();
    showListStatus(ListStatus::Source::RunnerCards);
}

void CMainWindow::OnListCorp()
{
    cards.OnListCorp();
    showListStatus(ListStatus::Source::CorporateCards);
}

void CMainWindow::OnStatusBar()
{
    statusBar()->setVisible(findChild<QAction*>(QStringLiteral("command%1").arg(ID_STATUS_BAR))->isChecked());
}

void CMainWindow::OnFileOrder()
{
    listbox->header()->showFileOrder();
}

void CMainWindow::showListStatus(ListStatus::Source source)
{
    const ListStatus status{source, cards.lineCount(), criteria, cards.earlyEnds()};
    statusText_->setText(status.text());
}

void CMainWindow::OnOpenDataFolder()
{
    const QString current = QDir(QString::fromStdU16String(cards.dataDir().u16string())).absolutePath();
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("データフォルダを開く"), current);
    if (!folder.isEmpty())  // cancelled: nothing changes
        openDataFolder(folder);
}

void CMainWindow::openDataFolder(const QString& folder)
{
    cards.setDataDir(DataFolderSettings::toPath(folder));
    DataFolderSettings::remember(folder);
}

void CMainWindow::OnSearch()
{
    SearchDialog dialog(this);
    copyCriteria(criteria, dialog);
    if (dialog.DoModal() != IDOK)
        return;
    copyCriteria(dialog, criteria);
    RunSearch();
}

void CMainWindow::RunSearch()
{
    if (cards.RunSearch(criteria))
        showListStatus(ListStatus::Source::Search);
}

void CMainWindow::OnDetails()
{
    const auto& listed = cards.cards();
    if (listed.empty())
        return;
    // The card of the line, wherever the order has put the line.
    const int row = listbox->selectedCard();
    if (row < 0) {
        showMessageBox(this, QStringLiteral("対象項目を選択して下さい"));
        return;
    }
    if (static_cast<std::size_t>(row) >= listed.size())
        return;  // the list and the cards are filled together; never here
    DetailDialog dialog(this);
    dialog.card = *listed[static_cast<std::size_t>(row)];
    dialog.DoModal();
}

void CMainWindow::OnListDblClk()
{
    OnDetails();
}

// --- The engine's view of the window -----------------------------------

void CMainWindow::resetContent()
{
    listbox->resetContent();
}

void CMainWindow::addString(std::string line)
{
    listbox->addString(std::move(line));
}

void CMainWindow::selectFirstLine()
{
    listbox->selectFirstLine();
}

void CMainWindow::setRedraw(bool on)
{
    listbox->setRedraw(on);
}

void CMainWindow::showMessage(const EngineMessage& message)
{
    showMessageBox(this, QString::fromStdString(messageText(message)));
}

void CMainWindow::showNotice()
{
    activeBeforeNotice_ = isActiveWindow();
    notice_ = std::make_unique<NowSearchDialog>(this);
}

// The notice may take the activation when it shows; without a window
// manager nobody gives it back when it goes, and the keys would be dead.
void CMainWindow::hideNotice()
{
    notice_.reset();
    if (activeBeforeNotice_)
        activateWindow();
}
