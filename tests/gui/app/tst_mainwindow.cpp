// The main window driven as a user drives it: menu, keys, list commands,
// search, details and the settings it keeps, on data files the test writes.
#include "CMainWindow.h"
#include "CMyApp.h"
#include "CardListBox.h"
#include "CardListModel.h"
#include "EngineMessage.h"
#include "GuiTestMain.h"
#include "ModalDriver.h"
#include "NowSearchDialog.h"
#include "ProfileStore.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>

#include <climits>

namespace {

const QString kRect = QStringLiteral("rect");
const QString kSearch = QStringLiteral("search");

QString storeFile()
{
    static const QString name = ProfileStore().fileName();
    return name;
}

std::unique_ptr<CMainWindow> openWindow(const DataFolder& data)
{
    auto window = std::make_unique<CMainWindow>(data.path());
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("main window not exposed");
    return window;
}

QStringList listedLines(const CMainWindow& window)
{
    QStringList lines;
    const CardListModel* model = window.listBox()->lines();
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->data(model->index(row)).toString();
    return lines;
}

QStringList cardNames(const CMainWindow& window)
{
    QStringList names;
    for (const auto& card : window.lister().cards())
        names << fromCp932(card->name);
    return names;
}

QString labelText(QWidget* dialog, const char* name)
{
    auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// Fills the search dialog and confirms it with OK.
ModalDriver::Action fillSearch(QString name, int sideButton, int modeButton)
{
    return [=](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("dialog200"));
        dialog->findChild<QLineEdit*>(QStringLiteral("id208"))->setText(name);
        dialog->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(sideButton))->click();
        dialog->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(modeButton))->click();
        dialog->findChild<QAbstractButton*>(QStringLiteral("id1"))->click();
    };
}

// The window's keys work while it is active; a closed dialog does not give
// the activation back on the offscreen platform, as a window manager would.
void pressOnList(CMainWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("main window not active");
    QTest::keyClick(window.listBox(), key, modifiers);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpShowsTheWindow();
    void menuIsExactlyTheMainMenu();
    void id100IsAboutAsCommandAndDetailsAsDoubleClick();
    void keysRunTheirCommands();
    void listCoversTheClientAreaAndScrollsSideways();
    void listCommandsListEachCardOnce();
    void listCommandsReportUnreadableFiles();
    void settingsLoadWithDefaultsForBadValues();
    void creationRectangleIsUsedOnlyWhenOnAScreen();
    void closingSavesSettings();
    void closingWhileMinimisedKeepsTheRectangle();
    void searchFromF5();
    void searchWithAMissingFileKeepsTheList();
    void searchCancelKeepsCriteria();
    void detailsNeedACardAndASelection();
    void detailsShowTheLastLineOfALongList();

private:
    std::unique_ptr<StrayModalGuard> guard_;
};

void MainWindowTest::initTestCase()
{
    // Closing a test window must not end the application's event loop.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QString::fromLatin1(CMyApp::kApplicationName));
    QApplication::setOrganizationName(QString::fromLatin1(CMyApp::kOrganisationName));
}

void MainWindowTest::init()
{
    QFile::remove(storeFile());
    guard_ = std::make_unique<StrayModalGuard>();
}

void MainWindowTest::cleanup()
{
    closeStrayModals();
    QVERIFY2(!guard_->closed(), "a dialog or message box was left open");
    guard_.reset();
}

void MainWindowTest::startUpShowsTheWindow()
{
    auto* app = qobject_cast<CMyApp*>(QCoreApplication::instance());
    QVERIFY(app);
    QVERIFY(app->InitInstance());
    CMainWindow* window = app->mainWindow();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("Voxtarn card list finder"));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Kestrowe"));
    QVERIFY(!QApplication::windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->listBox());
    window->close();
}

void MainWindowTest::menuIsExactlyTheMainMenu()
{
    DataFolder data;
    auto window = openWindow(data);
    const QStringList expected = {
        QStringLiteral("ファイル(&F)"),
        QStringLiteral("  終了(&X) =101"),
        QStringLiteral("カード(&C)"),
        QStringLiteral("  検索(&S)\tF5 =102"),
        QStringLiteral("  全カードリスト(&A) =104"),
        QStringLiteral("  Runnerカードリスト(&R) =105"),
        QStringLiteral("  Corporateカードリスト(&C) =106"),
        QStringLiteral("  ---"),
        QStringLiteral("  詳細表示(&D)\tEnter =103"),
        QStringLiteral("ヘルプ(&H)"),
        QStringLiteral("  記号の説明(&C) =107"),
        QStringLiteral("  ---"),
        QStringLiteral("  このプログラムの主張(&A) =100"),
    };
    QStringList actual;
    for (QAction* top : window->menuBar()->actions()) {
        actual << top->text();
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator()) {
                actual << QStringLiteral("  ---");
                continue;
            }
            QVERIFY(item->isEnabled());
            QVERIFY(!item->isCheckable());
            actual << QStringLiteral("  %1 =%2").arg(item->text(), item->objectName().mid(7));
        }
    }
    QCOMPARE(actual, expected);
}

void MainWindowTest::id100IsAboutAsCommandAndDetailsAsDoubleClick()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("First"), QStringLiteral("Second")}));
    data.write(QStringLiteral("runner.txt"), {});
    auto window = openWindow(data);
    window->OnListCorp();

    ModalDriver about([](QWidget* dialog) { dialog->close(); });
    QVERIFY(window->dispatch(CMainWindow::Message::Command, 0, 100));
    QCOMPARE(about.objectName(), QStringLiteral("dialog100"));

    QString shownName;
    ModalDriver details([&](QWidget* dialog) {
        shownName = labelText(dialog, "id111");
        dialog->close();
    });
    QVERIFY(window->dispatch(CMainWindow::Message::Command, CMainWindow::LBN_DBLCLK, 100));
    QCOMPARE(details.objectName(), QStringLiteral("dialog110"));
    QCOMPARE(shownName, QStringLiteral("First"));

    // No entry for other codes of the list.
    QVERIFY(!window->dispatch(CMainWindow::Message::Command, 1, 100));

    // The menu item and a real double-click on the second line.
    ModalDriver aboutFromMenu([](QWidget* dialog) { dialog->close(); });
    window->findChild<QAction*>(QStringLiteral("command100"))->trigger();
    QCOMPARE(aboutFromMenu.objectName(), QStringLiteral("dialog100"));

    CardListBox* list = window->listBox();
    const QRect second = list->visualRect(list->lines()->index(1));
    ModalDriver clicked([&](QWidget* dialog) {
        shownName = labelText(dialog, "id111");
        dialog->close();
    });
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(clicked.objectName(), QStringLiteral("dialog110"));
    QCOMPARE(shownName, QStringLiteral("Second"));
}

void MainWindowTest::keysRunTheirCommands()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("Only")}));
    auto window = openWindow(data);
    window->OnListCorp();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* dialog;
    } cases[] = {
        {Qt::Key_F1, Qt::NoModifier, "dialog100"},
        {Qt::Key_F5, Qt::NoModifier, "dialog200"},
        {Qt::Key_Return, Qt::NoModifier, "dialog110"},
        {Qt::Key_Enter, Qt::KeypadModifier, "dialog110"},
    };
    for (const auto& c : cases) {
        ModalDriver driver([](QWidget* dialog) { dialog->close(); });
        pressOnList(*window, c.key, c.modifiers);
        QCOMPARE(driver.objectName(), QString::fromLatin1(c.dialog));
    }
    // Escape from the search dialog changed nothing.
    QCOMPARE(listedLines(*window), QStringList{TestCard{QStringLiteral("Only")}.listLine()});
}

void MainWindowTest::listCoversTheClientAreaAndScrollsSideways()
{
    DataFolder data;
    TestCard wide{QStringLiteral("Wide")};
    wide.note = QString(250, QLatin1Char('W'));  // a line holds at most 254 bytes
    data.write(QStringLiteral("corp.txt"), {wide});
    auto window = openWindow(data);
    window->resize(500, 300);
    window->OnListCorp();
    CardListBox* list = window->listBox();
    QTRY_COMPARE(list->width(), window->width());
    QCOMPARE(list->geometry().bottom(), window->rect().bottom());
    QCOMPARE(list->frameShape(), QFrame::NoFrame);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QTRY_COMPARE(list->horizontalScrollBar()->maximum(), 2048 - list->viewport()->width());

    window->showMinimized();
    const QSize before = list->size();
    QApplication::processEvents();
    QCOMPARE(list->size(), before);
    window->showMaximized();
    QTRY_COMPARE(list->width(), window->width());
}

void MainWindowTest::listCommandsListEachCardOnce()
{
    DataFolder data;
    const QList<TestCard> corp = namedCards({QStringLiteral("C1"), QStringLiteral("C2")});
    QList<TestCard> runner = namedCards({QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3")});
    runner[1].note.clear();
    runner[1].illust.clear();
    data.write(QStringLiteral("corp.txt"), corp);
    data.write(QStringLiteral("runner.txt"), runner);
    auto window = openWindow(data);

    QSignalSpy inserted(window->listBox()->lines(), &QAbstractItemModel::rowsInserted);
    QStringList all;
    for (const TestCard& card : corp + runner)
        all << card.listLine();
    window->OnListAll();
    window->OnListAll();
    QCOMPARE(listedLines(*window), all);
    QCOMPARE(cardNames(*window), (QStringList{"C1", "C2", "R1", "R2", "R3"}));
    QVERIFY(all[3].endsWith(QStringLiteral("\t\t")));
    QCOMPARE(window->listBox()->currentSelection(), 0);
    QCOMPARE(window->listBox()->currentIndex().row(), 0);
    QCOMPARE(inserted.count(), 0);  // filled by one reset, not line by line
    QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());

    window->OnListRunner();
    QCOMPARE(cardNames(*window), (QStringList{"R1", "R2", "R3"}));
    QCOMPARE(window->listBox()->currentSelection(), 0);
    window->OnListCorp();
    QCOMPARE(listedLines(*window), (QStringList{corp[0].listLine(), corp[1].listLine()}));

    data.writeBytes(QStringLiteral("runner.txt"), "");
    window->OnListRunner();
    QCOMPARE(window->listBox()->count(), 0);
    QCOMPARE(window->listBox()->currentSelection(), -1);
    QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
}

void MainWindowTest::listCommandsReportUnreadableFiles()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("C1"), QStringLiteral("C2")}));
    auto window = openWindow(data);
    const QString openFailed = QString::fromStdString(messageHeadline(EngineMessage::OpenFailed));

    // runner.txt missing: the Corporate cards stay listed, one message.
    auto seen = std::make_shared<SeenMessage>();
    ModalDriver noRunner(acceptMessageBox(seen));
    window->OnListAll();
    QCOMPARE(seen->count, 1);
    QCOMPARE(seen->title, QStringLiteral("Voxtarn card list finder"));
    QVERIFY2(seen->text.startsWith(openFailed), qPrintable(seen->text));
    QCOMPARE(cardNames(*window), (QStringList{"C1", "C2"}));
    QCOMPARE(window->listBox()->currentSelection(), 0);

    // corp.txt missing too: one message only (runner.txt is never tried)
    // and an empty list.
    data.remove(QStringLiteral("corp.txt"));
    data.write(QStringLiteral("runner.txt"), namedCards({QStringLiteral("R1")}));
    seen = std::make_shared<SeenMessage>();
    ModalDriver noCorp(acceptMessageBox(seen));
    ModalDriver noSecond(acceptMessageBox(seen), 300);
    window->OnListAll();
    QTest::qWait(400);
    QCOMPARE(seen->count, 1);
    QCOMPARE(window->listBox()->count(), 0);
    QVERIFY(window->lister().cards().empty());
    QCOMPARE(window->listBox()->currentSelection(), -1);

    // A record not closed by "--": the cards before it, then all Runner cards.
    const QList<TestCard> corp = namedCards({QStringLiteral("C1"), QStringLiteral("C2")});
    std::string broken = TestCard{QStringLiteral("Bad")}.record();
    broken.replace(broken.rfind("--"), 2, "xx");
    data.write(QStringLiteral("corp.txt"), corp, broken + TestCard{QStringLiteral("C4")}.record());
    seen = std::make_shared<SeenMessage>();
    ModalDriver malformed(acceptMessageBox(seen));
    window->OnListAll();
    QCOMPARE(seen->count, 1);
    QVERIFY2(seen->text.startsWith(QString::fromStdString(messageHeadline(EngineMessage::FormatError))),
             qPrintable(seen->text));
    QCOMPARE(cardNames(*window), (QStringList{"C1", "C2", "R1"}));
    QCOMPARE(window->listBox()->currentSelection(), 0);
    QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
}

void MainWindowTest::settingsLoadWithDefaultsForBadValues()
{
    DataFolder data;
    const struct {
        const char* key;
        QVariant side;
        QVariant mode;
        int expectedSide;
        int expectedMode;
    } cases[] = {
        {"", QVariant(), QVariant(), 0, 0},               // first run
        {"アイス", 1, 2, 1, 2},                           // stored values
        {"x", 2, 3, 0, 0},                                // never written by us
        {"x", -1, -5, 0, 0},
        {"x", QStringLiteral("1x"), QStringLiteral("4294967298"), 0, 0},  // no wrapping
        {"x", QVariant(), 1, 0, 1},                       // partial
    };
    for (const auto& c : cases) {
        QFile::remove(storeFile());
        {
            ProfileStore store;
            if (*c.key)
                store.writeProfileString(kSearch, QStringLiteral("key"), QString::fromUtf8(c.key));
            if (c.side.isValid())
                store.writeProfileString(kSearch, QStringLiteral("type"), c.side.toString());
            if (c.mode.isValid())
                store.writeProfileString(kSearch, QStringLiteral("mode"), c.mode.toString());
            QVERIFY(store.flush());
        }
        const CMainWindow window(data.path());
        const SearchCriteria& criteria = window.searchCriteria();
        QCOMPARE(fromCp932(criteria.name), QString::fromUtf8(c.key));
        QCOMPARE(criteria.side, c.expectedSide);
        QCOMPARE(criteria.mode, c.expectedMode);
        QVERIFY(criteria.type.empty());
        QVERIFY(criteria.rate.empty());
    }
}

void MainWindowTest::creationRectangleIsUsedOnlyWhenOnAScreen()
{
    DataFolder data;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const struct {
        const char* what;
        QList<int> edges;  // left, top, right, bottom; fewer: the rest absent
        bool used;
    } cases[] = {
        {"whole", {40, 30, 440, 330}, true},
        {"partly off the left", {-200, 10, 200, 300}, true},
        {"right of every screen", {screen.right() + 100, 0, screen.right() + 500, 300}, false},
        {"no width", {100, 100, 100, 300}, false},
        {"negative height", {100, 300, 400, 100}, false},
        {"left and top only", {100, 100}, false},
        {"overflowing width", {INT_MIN, 0, INT_MAX, 300}, false},
    };
    const QStringList keys = {"left", "top", "right", "bottom"};
    for (const auto& c : cases) {
        QFile::remove(storeFile());
        {
            ProfileStore store;
            for (int i = 0; i < c.edges.size(); ++i)
                store.writeProfileInt(kRect, keys[i], c.edges[i]);
            QVERIFY(store.flush());
        }
        auto window = openWindow(data);
        const WindowRect stored = window->creationRect();
        QCOMPARE(stored.left, c.edges.value(0, INT_MIN));
        QCOMPARE(stored.bottom, c.edges.value(3, 0));
        const QRect frame = window->frameGeometry();
        const QRect wanted(c.edges.value(0), c.edges.value(1), c.edges.value(2) - c.edges.value(0),
                           c.edges.value(3) - c.edges.value(1));
        // The offscreen platform may shift a window that starts off the
        // screen by its frame width; the size tells whether it was used.
        const QString where = QStringLiteral("%1: %2,%3 %4x%5").arg(QString::fromLatin1(c.what))
                                  .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
        QVERIFY2((frame.size() == wanted.size()) == c.used, qPrintable(where));
        if (c.used)
            QVERIFY2((frame.topLeft() - wanted.topLeft()).manhattanLength() <= 4, qPrintable(where));
        QVERIFY2(frame.width() > 0 && frame.height() > 0, c.what);
        window->hide();
    }
}

void MainWindowTest::closingSavesSettings()
{
    DataFolder data;
    {
        ProfileStore store;
        store.writeProfileString(kSearch, QStringLiteral("key"), QStringLiteral("ｱｲｽ, \"壁\""));
        store.writeProfileInt(kSearch, QStringLiteral("type"), 1);
        store.writeProfileInt(kSearch, QStringLiteral("mode"), 2);
        QVERIFY(store.flush());
    }
    auto window = openWindow(data);
    window->move(60, 70);  // a top-level window moves by its frame
    window->resize(420, 310);
    QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(60, 70));
    const QRect frame = window->frameGeometry();

    // Exit posts the close: the window is still open when the command returns.
    QVERIFY(window->dispatch(CMainWindow::Message::Command, 0, 101));
    QVERIFY(window->isVisible());
    QTRY_VERIFY(!window->isVisible());

    const ProfileStore store;
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("left"), 0), frame.left());
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("top"), 0), frame.top());
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("right"), 0), frame.left() + frame.width());
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("bottom"), 0), frame.top() + frame.height());
    QCOMPARE(store.getProfileString(kSearch, QStringLiteral("key")), QStringLiteral("ｱｲｽ, \"壁\""));
    QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("type"), -1), 1);
    QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("mode"), -1), 2);

    // The end of the session writes too, and the window stays.
    auto second = openWindow(data);
    QFile::remove(storeFile());
    QVERIFY(second->OnQueryEndSession());
    QVERIFY(second->isVisible());
    QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("mode"), -1), 2);

    // Alt+F4 closes like the close box.
    QFile::remove(storeFile());
    QVERIFY(QTest::qWaitForWindowActive(second.get()));
    QTest::keyClick(second->listBox(), Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!second->isVisible());
    QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("type"), -1), 1);
}

void MainWindowTest::closingWhileMinimisedKeepsTheRectangle()
{
    DataFolder data;
    {
        ProfileStore store;
        store.writeProfileInt(kRect, QStringLiteral("left"), 10);
        store.writeProfileInt(kRect, QStringLiteral("top"), 20);
        store.writeProfileInt(kRect, QStringLiteral("right"), 330);
        store.writeProfileInt(kRect, QStringLiteral("bottom"), 260);
        QVERIFY(store.flush());
    }
    auto window = openWindow(data);
    window->move(100, 120);
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->close();
    const ProfileStore store;
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("left"), 0), 10);
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("top"), 0), 20);
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("right"), 0), 330);
    QCOMPARE(store.getProfileInt(kRect, QStringLiteral("bottom"), 0), 260);
    QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("mode"), -1), 0);
    QCOMPARE(store.getProfileString(kSearch, QStringLiteral("key"), QStringLiteral("absent")), QString());
}

void MainWindowTest::searchFromF5()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("氷の壁")}));
    data.write(QStringLiteral("runner.txt"),
               namedCards({QStringLiteral("Ice Pick"), QStringLiteral("Rope"), QStringLiteral("氷の鍵"),
                           QStringLiteral("Nice Try")}));
    auto window = openWindow(data);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // Partial, Runner side: every name holding "ice", ASCII case folded.
    ModalDriver partial(fillSearch(QStringLiteral("ICE"), 203, 206));
    pressOnList(*window, Qt::Key_F5);
    QVERIFY(partial.seen());
    QCOMPARE(cardNames(*window), (QStringList{"Ice Pick", "Nice Try"}));
    QCOMPARE(window->listBox()->currentSelection(), 0);
    QCOMPARE(window->searchCriteria().side, 1);
    QCOMPARE(window->searchCriteria().mode, 2);
    QCOMPARE(window->searchCriteria().name, std::string("ICE"));

    // Japanese typed into the field, prefix mode.
    ModalDriver japanese(fillSearch(QStringLiteral("氷の"), 203, 205));
    pressOnList(*window, Qt::Key_F5);
    QCOMPARE(cardNames(*window), QStringList{"氷の鍵"});

    // Zero hits: an empty list, no selection, no message.
    ModalDriver none(fillSearch(QStringLiteral("zzz"), 202, 204));
    ModalDriver noMessage([](QWidget* modal) { modal->close(); }, 300);
    pressOnList(*window, Qt::Key_F5);
    QTest::qWait(400);
    QVERIFY(!noMessage.seen());
    QCOMPARE(window->listBox()->count(), 0);
    QCOMPARE(window->listBox()->currentSelection(), -1);
    QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());

    // The dialog opens with the criteria of the last search.
    QString shownName;
    bool corporateChecked = false;
    ModalDriver reopen([&](QWidget* dialog) {
        shownName = dialog->findChild<QLineEdit*>(QStringLiteral("id208"))->text();
        corporateChecked = dialog->findChild<QAbstractButton*>(QStringLiteral("id202"))->isChecked();
        dialog->close();
    });
    pressOnList(*window, Qt::Key_F5);
    QCOMPARE(shownName, QStringLiteral("zzz"));
    QVERIFY(corporateChecked);
}

void MainWindowTest::searchWithAMissingFileKeepsTheList()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"),
               namedCards({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}));
    auto window = openWindow(data);
    window->OnListCorp();
    CardListBox* list = window->listBox();
    list->setCurrentIndex(list->lines()->index(2));
    QCOMPARE(list->currentSelection(), 2);

    auto seen = std::make_shared<SeenMessage>();
    ModalDriver dialog(fillSearch(QStringLiteral("a"), 203, 206));  // runner.txt is missing
    ModalDriver message(acceptMessageBox(seen));
    window->OnSearch();
    QCOMPARE(seen->count, 1);
    QVERIFY(seen->text.startsWith(QString::fromStdString(messageHeadline(EngineMessage::OpenFailed))));
    QCOMPARE(cardNames(*window), (QStringList{"A1", "A2", "A3"}));
    QCOMPARE(list->currentSelection(), 2);
    QCOMPARE(window->searchCriteria().side, 1);  // the confirmed criteria are kept
    QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
}

void MainWindowTest::searchCancelKeepsCriteria()
{
    DataFolder data;
    data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("A1")}));
    auto window = openWindow(data);
    window->OnListCorp();
    const SearchCriteria before = window->searchCriteria();
    ModalDriver cancel([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("id208"))->setText(QStringLiteral("edited"));
        dialog->findChild<QAbstractButton*>(QStringLiteral("id203"))->click();
        dialog->findChild<QAbstractButton*>(QStringLiteral("id2"))->click();
    });
    window->OnSearch();
    QVERIFY(cancel.seen());
    QVERIFY(window->searchCriteria() == before);
    QCOMPARE(cardNames(*window), QStringList{"A1"});
}

void MainWindowTest::detailsNeedACardAndASelection()
{
    DataFolder data;
    data.writeBytes(QStringLiteral("corp.txt"), "");
    data.write(QStringLiteral("runner.txt"), namedCards({QStringLiteral("R1")}));
    auto window = openWindow(data);

    // No cards: nothing at all.
    window->OnListCorp();
    ModalDriver nothing([](QWidget* modal) { modal->close(); }, 300);
    window->OnDetails();
    window->dispatch(CMainWindow::Message::Command, CMainWindow::LBN_DBLCLK, 100);
    QTest::qWait(400);
    QVERIFY(!nothing.seen());

    // Cards but no selected line: the message.
    window->OnListRunner();
    window->listBox()->clearSelection();
    auto seen = std::make_shared<SeenMessage>();
    ModalDriver message(acceptMessageBox(seen));
    window->OnDetails();
    QCOMPARE(seen->count, 1);
    QCOMPARE(seen->text, QStringLiteral("対象項目を選択して下さい"));
    QCOMPARE(seen->title, QStringLiteral("Voxtarn card list finder"));
}

void MainWindowTest::detailsShowTheLastLineOfALongList()
{
    DataFolder data;
    QList<TestCard> cards;
    for (int i = 1; i <= 3000; ++i) {
        TestCard card{QStringLiteral("Card%1").arg(i, 4, 10, QLatin1Char('0'))};
        card.text = {QStringLiteral("rule of %1").arg(i)};
        card.rate = i % 2 ? QStringLiteral("Rare") : QStringLiteral("Vital");
        cards.append(card);
    }
    data.write(QStringLiteral("runner.txt"), cards);
    auto window = openWindow(data);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->OnListRunner();
    pressOnList(*window, Qt::Key_End);
    QCOMPARE(window->listBox()->currentSelection(), 2999);

    QString name, rules, rate;
    ModalDriver details([&](QWidget* dialog) {
        name = labelText(dialog, "id111");
        rate = labelText(dialog, "id116");
        QWidget* box = dialog->findChild<QWidget*>(QStringLiteral("id113"));
        if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
            rules = plain->toPlainText();
        else if (auto* rich = qobject_cast<QTextEdit*>(box))
            rules = rich->toPlainText();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    pressOnList(*window, Qt::Key_Return);
    QCOMPARE(name, QStringLiteral("Card3000"));
    QCOMPARE(rate, QStringLiteral("Vital"));
    QVERIFY2(rules.startsWith(QStringLiteral("rule of 3000")), qPrintable(rules));
}

VOXTARN_GUI_TEST_MAIN(CMyApp, MainWindowTest)
#include "tst_mainwindow.moc"
