// The main window driven as a user drives it: commands, list commands,
// search, details and the settings it keeps, on data files the test writes.
#include "CMainWindow.h"
#include "CMyApp.h"
#include "CardLineDelegate.h"
#include "CardListBox.h"
#include "CardListModel.h"
#include "DataFolderSettings.h"
#include "EngineMessage.h"
#include "GuiTest.h"
#include "NowSearchDialog.h"
#include "ProfileStore.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

#include <climits>

namespace {

const QString kRect = QStringLiteral("rect");
const QString kSearch = QStringLiteral("search");
const QString kTitle = QStringLiteral("Voxtarn card list finder | ");

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

QString headline(EngineMessage::Kind kind)
{
    return kTitle + QString::fromStdString(messageHeadline(kind));
}

// Fills the search dialog and confirms it with OK.
ModalDriver::Action fillSearch(QString name, int sideButton, int modeButton)
{
    return [=](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("id208"))->setText(name);
        clickId(dialog, sideButton);
        clickId(dialog, modeButton);
        clickId(dialog, 1);
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

// Writes "key=value" entries into one section of the settings file.
void writeStore(const QString& section, const QStringList& entries)
{
    ProfileStore store;
    for (const QString& entry : entries)
        store.writeProfileString(section, entry.section(QLatin1Char('='), 0, 0),
                                 entry.section(QLatin1Char('='), 1));
    QVERIFY(store.flush());
}

QRect storedRect()
{
    const ProfileStore store;
    const auto edge = [&](const char* key) { return store.getProfileInt(kRect, QString::fromLatin1(key), 0); };
    return QRect(QPoint(edge("left"), edge("top")), QPoint(edge("right") - 1, edge("bottom") - 1));
}

}  // namespace

class MainWindowTest : public GuiTest {
    Q_OBJECT
private slots:
    void startUpShowsTheWindow()
    {
        auto* app = qobject_cast<CMyApp*>(QCoreApplication::instance());
        // A DIR that is no folder: the message, then the window on the current folder.
        QStringList messages;
        modals().then(acceptMessage(messages));
        QVERIFY(app && app->InitInstance(QStringLiteral("/no/such/フォルダ")));
        QCOMPARE(messages, QStringList{kTitle + QStringLiteral("データフォルダが見つからない\n/no/such/フォルダ")});
        CMainWindow* window = app->mainWindow();
        QCOMPARE(window->lister().dataDir(), std::filesystem::path("."));
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), QStringLiteral("Voxtarn card list finder"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Kestrowe"));
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(QApplication::focusWidget(), window->listBox());
        window->close();
    }

    void commandsRunFromTableMenuKeysAndMouse()
    {
        DataFolder data;
        data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("First"), QStringLiteral("Second")}));
        auto window = openWindow(data);
        window->OnListCorp();
        QStringList seen;
        const auto record = [&](QWidget* dialog) {
            seen << dialog->objectName() + QLatin1Char(' ') + childText(dialog, QStringLiteral("id111"));
            ModalDriver::close(dialog);
        };
        const QString about = QStringLiteral("dialog100 <no id111>");

        // Id 100: the About box as a command, the details as the list's double-click.
        modals().then(record);
        QVERIFY(window->dispatch(CMainWindow::Message::Command, 0, 100));
        modals().then(record);
        QVERIFY(window->dispatch(CMainWindow::Message::Command, CMainWindow::LBN_DBLCLK, 100));
        QVERIFY(!window->dispatch(CMainWindow::Message::Command, 1, 100));
        modals().then(record);
        window->findChild<QAction*>(QStringLiteral("command100"))->trigger();
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_F5, Qt::Key_Return}) {
            modals().then(record);
            pressOnList(*window, key);
        }
        modals().then(record);
        pressOnList(*window, Qt::Key_Enter, Qt::KeypadModifier);
        modals().then(record);
        pressOnList(*window, Qt::Key_O, Qt::ControlModifier);
        CardListBox* list = window->listBox();
        const QPoint second = list->visualRect(list->lines()->index(1)).center();
        modals().then(record);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(seen, (QStringList{about, "dialog110 First", about, about, "dialog200 <no id111>",
                                    "dialog110 First", "dialog110 First", "QFileDialog <no id111>",
                                    "dialog110 Second"}));
        // The search dialog and the folder chooser closed by their close
        // boxes changed nothing.
        QCOMPARE(cardNames(*window), (QStringList{"First", "Second"}));
        QCOMPARE(window->lister().dataDir(), std::filesystem::path(data.path()));
        QVERIFY(!QFile::exists(settingsFile()));
    }

    void listCoversTheClientAreaAtTheTabStops()
    {
        DataFolder data;
        data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("C1")}));
        auto window = openWindow(data);
        window->resize(500, 300);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        QTRY_COMPARE(list->width(), window->width());  // below the menu bar, to the bottom
        QCOMPARE(list->geometry().bottom(), window->rect().bottom());
        QCOMPARE(list->frameShape(), QFrame::NoFrame);
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QTRY_COMPARE(list->horizontalScrollBar()->maximum(), 2048 - list->viewport()->width());

        const QFontMetrics metrics(list->font());
        const int quarter = metrics.averageCharWidth();
        const std::vector<int> expected{0, 48 * quarter / 4, 200 * quarter / 4, 376 * quarter / 4,
                                        516 * quarter / 4};
        QCOMPARE(CardLineDelegate::fieldPositions(QStringLiteral("R\tN\tT\tX\tY").split(QLatin1Char('\t')), metrics), expected);
        // A field running past a stop pushes the next one to a later stop.
        const QString longRate(60, QLatin1Char('W'));
        const int pushed = CardLineDelegate::fieldPositions({longRate, QStringLiteral("N")}, metrics)[1];
        QVERIFY(pushed > metrics.horizontalAdvance(longRate));
        QVERIFY(std::find(expected.begin(), expected.end(), pushed) != expected.end());
    }

    void listCommandsListEachCardOnce()
    {
        DataFolder data;
        const QList<TestCard> corp = namedCards({QStringLiteral("C1"), QStringLiteral("氷の壁")});
        QList<TestCard> runner = namedCards({QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3")});
        runner[1].note.clear();
        runner[1].illust.clear();
        data.write(QStringLiteral("corp.txt"), corp);
        data.write(QStringLiteral("runner.txt"), runner);
        auto window = openWindow(data);
        CardListBox* list = window->listBox();

        QSignalSpy inserted(list->lines(), &QAbstractItemModel::rowsInserted);
        QStringList all;
        for (const TestCard& card : corp + runner)
            all << card.listLine();
        window->OnListAll();
        window->OnListAll();
        QCOMPARE(listedLines(*window), all);
        QCOMPARE(cardNames(*window), (QStringList{"C1", "氷の壁", "R1", "R2", "R3"}));
        QCOMPARE(list->currentSelection(), 0);
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(inserted.count(), 0);  // filled by one reset, not line by line
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());

        window->OnListRunner();
        QCOMPARE(cardNames(*window), (QStringList{"R1", "R2", "R3"}));
        list->setCurrentIndex(list->lines()->index(2));
        window->OnListCorp();
        QCOMPARE(listedLines(*window), (QStringList{corp[0].listLine(), corp[1].listLine()}));
        QCOMPARE(list->currentSelection(), 0);

        data.writeBytes(QStringLiteral("runner.txt"), "");
        window->OnListRunner();
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->currentSelection(), -1);
    }

    void listCommandsReportUnreadableFiles()
    {
        DataFolder data;
        data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("C1"), QStringLiteral("C2")}));
        auto window = openWindow(data);
        QStringList messages;

        // runner.txt missing: the Corporate cards stay listed, one message.
        modals().then(acceptMessage(messages));
        window->OnListAll();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(headline(EngineMessage::OpenFailed)), qPrintable(messages[0]));
        QCOMPARE(cardNames(*window), (QStringList{"C1", "C2"}));
        QCOMPARE(window->listBox()->currentSelection(), 0);

        // A record not closed by "--": the cards before it, then all Runner cards.
        data.write(QStringLiteral("runner.txt"), namedCards({QStringLiteral("R1")}));
        std::string broken = TestCard{QStringLiteral("Bad")}.record();
        broken.replace(broken.rfind("--"), 2, "xx");
        data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("C1"), QStringLiteral("C2")}),
                   broken + TestCard{QStringLiteral("C4")}.record());
        messages.clear();
        modals().then(acceptMessage(messages));
        window->OnListAll();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(headline(EngineMessage::FormatError)), qPrintable(messages[0]));
        QCOMPARE(cardNames(*window), (QStringList{"C1", "C2", "R1"}));
        QCOMPARE(window->listBox()->currentSelection(), 0);
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
    }

    void settingsLoadWithDefaultsForBadValues()
    {
        DataFolder data;
        const struct {
            QStringList entries;
            int side, mode;
            bool fold;
        } cases[] = {
            {{}, 0, 0, false},  // first run
            {{"key=アイス", "type=1", "mode=2", "fold=1"}, 1, 2, true},
            {{"type=2", "mode=3", "fold=2"}, 0, 0, false},  // never written by the program
            {{"type=-1", "mode=-5", "fold=-1"}, 0, 0, false},
            {{"type=1x", "mode=4294967298", "fold=true"}, 0, 0, false},  // strict, no wrapping
            {{"key=x", "mode=1", "fold=0"}, 0, 1, false},  // partial
        };
        for (const auto& c : cases) {
            QFile::remove(settingsFile());
            writeStore(kSearch, c.entries);
            const CMainWindow window(data.path());
            const SearchCriteria& criteria = window.searchCriteria();
            QCOMPARE(fromCp932(criteria.name), c.entries.filter(QStringLiteral("key=")).value(0).mid(4));
            QCOMPARE(criteria.side, c.side);
            QCOMPARE(criteria.mode, c.mode);
            QCOMPARE(criteria.fold, c.fold);
            QVERIFY(criteria.type.empty() && criteria.rate.empty());
        }
    }

    void dataFolderAtStart()
    {
        DataFolder given, stored, withFile, empty;
        withFile.write(QStringLiteral("runner.txt"), {});
        stored.write(QStringLiteral("corp.txt"), {});
        const QString gone = QString::fromStdString(given.path()) + QStringLiteral("/gone");
        const auto q = [](const DataFolder& folder) { return QString::fromStdString(folder.path()); };
        const struct {
            const char* what;
            QString argument, current, storedFolder, expected;
            bool notFound;
        } cases[] = {
            {"DIR given", q(given), q(withFile), q(stored), q(given), false},
            {"DIR gone", gone, q(empty), q(stored), q(empty), true},
            {"DIR a file", q(stored) + QStringLiteral("/corp.txt"), q(empty), q(stored), q(empty), true},
            {"current folder with a file", {}, q(withFile), q(stored), q(withFile), false},
            {"stored folder", {}, q(empty), q(stored), q(stored), false},
            {"stored folder gone", {}, q(empty), gone, q(empty), false},
            {"nothing stored", {}, q(empty), {}, q(empty), false},
        };
        for (const auto& c : cases) {
            QFile::remove(settingsFile());
            if (!c.storedFolder.isEmpty())
                DataFolderSettings::remember(c.storedFolder);
            const DataFolderSettings::Start start =
                DataFolderSettings::atStart(c.argument, DataFolderSettings::toPath(c.current));
            QVERIFY2(start.folder == DataFolderSettings::toPath(c.expected), c.what);
            QVERIFY2(start.argumentNotFound == c.notFound, c.what);
        }
    }

    void creationRectangleIsUsedOnlyWhenOnAScreen()
    {
        DataFolder data;
        const int right = QGuiApplication::primaryScreen()->geometry().right();
        const struct {
            const char* what;
            QList<int> edges;  // left, top, right, bottom; fewer: the rest absent
            bool used;
        } cases[] = {
            {"whole", {40, 30, 440, 330}, true},
            {"partly off the left", {-200, 10, 200, 300}, true},
            {"right of every screen", {right + 100, 0, right + 500, 300}, false},
            {"no width", {100, 100, 100, 300}, false},
            {"overflowing width", {INT_MIN, 0, INT_MAX, 300}, false},
        };
        const QStringList keys = {"left", "top", "right", "bottom"};
        for (const auto& c : cases) {
            QFile::remove(settingsFile());
            QStringList entries;
            for (int i = 0; i < c.edges.size(); ++i)
                entries << keys[i] + QLatin1Char('=') + QString::number(c.edges[i]);
            writeStore(kRect, entries);
            auto window = openWindow(data);
            const QRect frame = window->frameGeometry();
            // The offscreen platform may shift a window that starts off the
            // screen by its frame width; the size tells whether it was used.
            const bool sized = frame.width() == c.edges.value(2) - qint64(c.edges.value(0)) &&
                               frame.height() == c.edges.value(3) - qint64(c.edges.value(1));
            QVERIFY2(sized == c.used, c.what);
            const QPoint corner(c.edges.value(0), c.edges.value(1));
            QVERIFY2(!c.used || (frame.topLeft() - corner).manhattanLength() <= 4, c.what);
            QVERIFY2(frame.width() > 0 && frame.height() > 0, c.what);
        }
    }

    void closingSavesSettings()
    {
        DataFolder data;
        writeStore(kSearch, {"key=ｱｲｽ, \"壁\"", "type=1", "mode=2", "fold=1"});
        auto window = openWindow(data);
        window->move(60, 70);  // a top-level window moves by its frame
        window->resize(420, 310);
        QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(60, 70));
        const QRect frame = window->frameGeometry();

        // Exit posts the close: the window is still open when the command returns.
        QVERIFY(window->dispatch(CMainWindow::Message::Command, 0, 101));
        QVERIFY(window->isVisible());
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(storedRect(), frame);
        const ProfileStore store;
        QCOMPARE(store.getProfileString(kSearch, QStringLiteral("key")), QStringLiteral("ｱｲｽ, \"壁\""));
        QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("type"), -1), 1);
        QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("mode"), -1), 2);
        QCOMPARE(store.getProfileInt(kSearch, QStringLiteral("fold"), -1), 1);

        // The end of the session writes too, and the window stays.
        auto second = openWindow(data);
        QFile::remove(settingsFile());
        QVERIFY(second->OnQueryEndSession());
        QVERIFY(second->isVisible());
        QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("mode"), -1), 2);

        // Alt+F4 closes like the close box.
        QFile::remove(settingsFile());
        QVERIFY(QTest::qWaitForWindowActive(second.get()));
        QTest::keyClick(second->listBox(), Qt::Key_F4, Qt::AltModifier);
        QTRY_VERIFY(!second->isVisible());
        QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("type"), -1), 1);
    }

    void closingWhileMinimisedKeepsTheRectangle()
    {
        DataFolder data;
        writeStore(kRect, {"left=10", "top=20", "right=330", "bottom=260"});
        auto window = openWindow(data);
        window->move(100, 120);
        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        window->close();
        QCOMPARE(storedRect(), QRect(10, 20, 320, 240));
        QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("mode"), -1), 0);
        QCOMPARE(ProfileStore().getProfileInt(kSearch, QStringLiteral("fold"), -1), 0);
    }

    void searchFromF5()
    {
        DataFolder data;
        data.write(QStringLiteral("corp.txt"), namedCards({QStringLiteral("氷の壁")}));
        data.write(QStringLiteral("runner.txt"), namedCards({QStringLiteral("Ice Pick"), QStringLiteral("Rope"),
                                                             QStringLiteral("氷の鍵"), QStringLiteral("Nice Try"),
                                                             QStringLiteral("アイス・ピック")}));
        auto window = openWindow(data);

        // Partial, Runner side: every name holding "ice", ASCII case folded.
        modals().then(fillSearch(QStringLiteral("ICE"), 203, 206));
        pressOnList(*window, Qt::Key_F5);
        QCOMPARE(cardNames(*window), (QStringList{"Ice Pick", "Nice Try"}));
        QCOMPARE(window->listBox()->currentSelection(), 0);
        QCOMPARE(window->searchCriteria().side, 1);
        QCOMPARE(window->searchCriteria().mode, 2);

        // Folded: hiragana and half-width katakana find the katakana card.
        modals().then([](QWidget* dialog) {
            clickId(dialog, 207);
            fillSearch(QStringLiteral("あいす・ﾋﾟｯｸ"), 203, 204)(dialog);
        });
        pressOnList(*window, Qt::Key_F5);
        QCOMPARE(cardNames(*window), (QStringList{"アイス・ピック"}));
        QVERIFY(window->searchCriteria().fold);

        // Zero hits: an empty list, no selection, no message (the watchdog
        // would close one and fail the test).
        modals().then(fillSearch(QStringLiteral("zzz"), 202, 204));
        pressOnList(*window, Qt::Key_F5);
        QCOMPARE(window->listBox()->count(), 0);
        QCOMPARE(window->listBox()->currentSelection(), -1);
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());

        // The dialog opens with the last criteria; Cancel keeps them and does
        // not search.
        window->OnListRunner();
        const SearchCriteria before = window->searchCriteria();
        QString shown;
        modals().then([&](QWidget* dialog) {
            shown = childText(dialog, QStringLiteral("id208"));
            clickId(dialog, 203);
            clickId(dialog, 2);
        });
        window->OnSearch();
        QCOMPARE(shown, QStringLiteral("zzz"));
        QVERIFY(window->searchCriteria() == before);
        QCOMPARE(window->listBox()->count(), 5);
    }

    void searchWithAMissingFileKeepsTheList()
    {
        DataFolder data;
        data.write(QStringLiteral("corp.txt"), namedCards({"A1", "A2", "A3"}));
        auto window = openWindow(data);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        list->setCurrentIndex(list->lines()->index(2));
        QStringList messages;
        modals().then(fillSearch(QStringLiteral("a"), 203, 206)).then(acceptMessage(messages));  // no runner.txt
        window->OnSearch();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(headline(EngineMessage::OpenFailed)), qPrintable(messages[0]));
        QCOMPARE(cardNames(*window), (QStringList{"A1", "A2", "A3"}));
        QCOMPARE(list->currentSelection(), 2);
        QCOMPARE(window->searchCriteria().side, 1);  // the confirmed criteria are kept
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
    }

    void detailsNeedACardAndASelection()
    {
        DataFolder data;
        data.writeBytes(QStringLiteral("corp.txt"), "");
        QList<TestCard> cards;
        for (int i = 1; i <= 3000; ++i) {
            TestCard card{QStringLiteral("Card%1").arg(i, 4, 10, QLatin1Char('0'))};
            card.text = {QStringLiteral("rule of %1").arg(i)};
            card.rate = i % 2 ? QStringLiteral("Rare") : QStringLiteral("Vital");
            cards.append(card);
        }
        data.write(QStringLiteral("runner.txt"), cards);
        auto window = openWindow(data);

        // No cards: nothing at all (the watchdog would close a dialog and fail).
        window->OnListCorp();
        window->OnDetails();
        window->dispatch(CMainWindow::Message::Command, CMainWindow::LBN_DBLCLK, 100);
        QCOMPARE(modals().strays(), 0);

        // Cards but no selected line: the message.
        window->OnListRunner();
        window->listBox()->clearSelection();
        QStringList messages;
        modals().then(acceptMessage(messages));
        window->OnDetails();
        QCOMPARE(messages, QStringList{kTitle + QStringLiteral("対象項目を選択して下さい")});

        // The last line of a long list shows the last card.
        pressOnList(*window, Qt::Key_End);
        QCOMPARE(window->listBox()->currentSelection(), 2999);
        QStringList shown;
        modals().then([&](QWidget* dialog) {
            for (const char* id : {"id111", "id116", "id113"})
                shown << childText(dialog, QString::fromLatin1(id));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        pressOnList(*window, Qt::Key_Return);
        QCOMPARE(shown, (QStringList{"Card3000", "Vital", "rule of 3000\n\n\n\n\n"}));
    }
};

VOXTARN_GUI_TEST_MAIN(CMyApp, MainWindowTest)
#include "tst_mainwindow.moc"
