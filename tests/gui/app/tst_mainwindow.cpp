// SPDX-License-Identifier: MIT
// The main window driven as a user drives it, on data files the test writes: what only the window shows (what the
// engine makes of the files is the engine tests' business); and the settings store behind it.
#include "CMainWindow.h"
#include "CMyApp.h"
#include "DialogBaseUnits.h"
#include "DialogTemplates.h"
#include "TemplateDialog.h"
#include "FilterBoxWorker.h"
#include "CardListBox.h"
#include "CollationKeys.h"
#include "CardListHeader.h"
#include "CardListModel.h"
#include "DataFolderSettings.h"
#include "DeckDocument.h"
#include "DeckMenu.h"
#include "DeckModel.h"
#include "DeckPanel.h"
#include "DeckParts.h"
#include "DeckTable.h"
#include "FilterBar.h"
#include "GuiTest.h"
#include "ListReadings.h"
#include "ListStatus.h"
#include "MainMenu.h"
#include "MatchHighlightDelegate.h"
#include "MecabAnalyser.h"
#include "NowSearchDialog.h"
#include "ReadingSession.h"
#include "SampleFolder.h"
#include "SortKeys.h"
#include "StartOptions.h"
#include "WorkPair.h"

#include <QCheckBox>
#include <QCollator>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QToolTip>
#include <QStatusBar>
#include <QToolTip>

#include <algorithm>
#include <climits>

namespace {

std::unique_ptr<CMainWindow> openWindow(const QTemporaryDir& data)
{
    auto window = std::make_unique<CMainWindow>(QFile::encodeName(data.path()).toStdString());
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("main window not active");
    return window;
}

// corp.txt and runner.txt with cards of these names.
void writeCards(const QTemporaryDir& data, const QStringList& corp, const QStringList& runner)
{
    for (const auto& [file, names] : {std::pair{"corp.txt", corp}, {"runner.txt", runner}}) {
        std::string bytes;
        for (const QString& name : names)
            bytes += record(name);
        writeFile(data, file, bytes);
    }
}

// The menu's commands that are disabled, by id.
QString disabledCommands(const CMainWindow& window)
{
    QStringList ids;
    for (int id = 100; id <= 111; ++id) {
        if (!window.commandAction(id)->isEnabled())
            ids << QString::number(id);
    }
    return ids.join(' ');
}

QString cardNames(const CMainWindow& window)
{
    QStringList names;
    for (const card::CardView card : window.lister().cards())
        names << fromCp932(card.name);
    return names.join(' ');
}

ModalAction fillSearch(QString name, int sideButton, int modeButton, bool toggleFold = false)
{
    return [=](QWidget* dialog) {
        if (toggleFold)
            clickId(dialog, 207);
        dialog->findChild<QLineEdit*>("id208")->setText(name);
        clickId(dialog, sideButton);
        clickId(dialog, modeButton);
        clickId(dialog, 1);
    };
}

// A closed dialog does not give the activation back on the offscreen platform, as a window manager would; the window's
// keys need it.
void press(CMainWindow& window, const QKeySequence& keys)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("main window not active");
    QTest::keySequence(window.listBox(), keys);
}

// Runs `action` on the notice when a reading or a sort of `window` first yields to the events, its progress shown.
void atFirstYield(CMainWindow& window, std::function<void(NowSearchDialog*)> action)
{
    QObject::connect(
        window.findChild<ReadingSession*>(), &ReadingSession::yielding, &window,
        [&window, action] { action(window.findChild<NowSearchDialog*>()); }, Qt::SingleShotConnection);
}

// `prefix` followed by first, first + 1, ... : `count` card names.
QStringList numberedNames(const QString& prefix, int count, int first = 0)
{
    QStringList names;
    for (int i = first; i < first + count; ++i)
        names << prefix + QString::number(i);
    return names;
}

// The names of the lines shown, in their order.
QString shownNames(CardListBox* list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->lines()->index(row, 1).data().toString();
    return names.join(' ');
}

// The stored rectangle, the name, the side and the mode.
QString stored()
{
    const ProfileStore store;
    QStringList values;
    for (const char* key : {"left", "top", "right", "bottom"})
        values << QString::number(store.getProfileInt("rect", key, 0));
    return values.join(',') + " " + store.getProfileString("search", "key") + QString::number(store.getProfileInt("search", "type", -1)) +
           QString::number(store.getProfileInt("search", "mode", -1)) + QString::number(store.getProfileInt("search", "fold", -1));
}

QString deckText(const CMainWindow& window)
{
    return window.deck()->document().text();
}

// Selects the list's line, or the deck table's row, of the card `name`.
void selectLine(QAbstractItemView* view, int nameColumn, const QString& name)
{
    for (int row = 0; row < view->model()->rowCount(); ++row)
        if (view->model()->index(row, nameColumn).data().toString() == name)
            return view->setCurrentIndex(view->model()->index(row, nameColumn));
    qWarning("no line of %s", qUtf8Printable(name));
}

// Presses `button` ("save", "discard", "cancel") in the question about unsaved changes, which it logs.
ModalAction answer(QString button, QStringList& log)
{
    return [button, &log](QWidget* modal) {
        log << modal->objectName() + " | " + qobject_cast<QMessageBox*>(modal)->text();
        modal->findChild<QAbstractButton*>(button)->click();
    };
}

// Types `path` into the file dialog and accepts it; a question whether to replace the file is answered yes.
ModalAction chooseFile(QString path)
{
    return [path](QWidget* modal) {
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        if (!chooser)
            return closeModal(modal);
        chooser->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(chooser)->accept();
    };
}

}  // namespace

class MainWindowTest : public GuiTest {
    Q_OBJECT
private slots:
    // A DIR that is no folder: the message, then the window on the current folder, the list in the focus.
    void startUpPutsTheFocusInTheList()
    {
        auto* app = qobject_cast<CMyApp*>(QCoreApplication::instance());
        QStringList messages;
        then(acceptMessage(messages));
        QVERIFY(app && app->InitInstance("/no/such/フォルダ") && QTest::qWaitForWindowActive(app->mainWindow()));
        QCOMPARE(messages, QStringList{"Voxtarn card list finder | データフォルダが見つからない\n/no/such/フォルダ"});
        QCOMPARE(app->mainWindow()->lister().dataDir(), std::filesystem::path("."));
        QCOMPARE(QApplication::focusWidget(), app->mainWindow()->listBox());
        app->mainWindow()->close();
        // A dialog built after the desktop's palette changed takes the new menu colours.
        QPalette dark = QApplication::palette("QMenu");
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        QApplication::setPalette(dark, "QMenu");
        QCOMPARE(TemplateDialog(kLegendTemplateId).palette().color(QPalette::Window), QColor(30, 30, 30));
    }

    // Each command, from the menu, a key or the mouse, reaches its own handler. The list shows the
    // Corporate cards First and Second, First selected; corp.txt then holds Third alone.
    void commands_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("seen");
        const QStringList menu = {"dialog100", "closed, saved", "dialog200", "dialog110 First", "Third R1", "R1", "Third",
                                  "dialog170", "QFileDialog corp.txt"};
        for (int id = 100; id <= 108; ++id)
            QTest::addRow("menu %d", id) << "menu" << QKeySequence() << id << menu[id - 100];
        // The menu's keys are on their actions (menuKeys); these two are the list's and the close box's too.
        for (const auto& [keys, seen] : {std::pair{"Return", "dialog110 First"}, {"Alt+F4", "closed, saved"}})
            QTest::addRow("%s", keys) << "key" << QKeySequence(keys) << 0 << seen;
        QTest::addRow("keypad Enter") << "key" << QKeySequence(Qt::Key_Enter | Qt::KeypadModifier) << 0 << "dialog110 First";
        // Home and End go to the first and the last line.
        QTest::addRow("End, Return") << "key" << QKeySequence("End, Return") << 0 << "dialog110 Second";
        QTest::addRow("End, Home, Return") << "key" << QKeySequence("End, Home, Return") << 0 << "dialog110 First";
        QTest::addRow("double-click") << "mouse" << QKeySequence() << 1 << "dialog110 Second";
    }

    // Each item's key, as the menu names it after a TAB and as the action takes it, from the menu's one description.
    void menuKeys()
    {
        QTemporaryDir data;
        auto window = openWindow(data);
        const std::tuple<int, QString, QString> items[] = {
            {108, "データフォルダを開く(&O)...\tCtrl+O", "Ctrl+O"}, {102, "検索(&S)\tF5", "F5"},
            {103, "詳細表示(&D)\tEnter", "Return; Enter"}, {100, "このプログラムの主張(&A)", "F1"},  // F1 not shown
            {101, "終了(&X)", ""}, {111, "絞り込みバー(&B)", ""},                                     // checkable, no key
        };
        for (const auto& [id, text, keys] : items) {
            QCOMPARE(window->commandAction(id)->text(), text);
            QCOMPARE(QKeySequence::listToString(window->commandAction(id)->shortcuts(), QKeySequence::PortableText), keys);
        }
    }

    void commands()
    {
        QFETCH(QString, how);
        QFETCH(QKeySequence, keys);
        QFETCH(int, id);
        QFETCH(QString, seen);
        QTemporaryDir data;
        writeCards(data, {"First", "Second"}, {"R1"});
        auto window = openWindow(data);
        window->OnListCorp();
        writeCards(data, {"Third"}, {"R1"});
        QString observed;
        if (seen.startsWith("dialog") || seen.startsWith("QFileDialog")) {
            then([&](QWidget* dialog) {
                const QString name = childText(dialog, "id111");
                observed = dialog->objectName() + (name.startsWith('<') ? "" : " " + name);
                // The folder chooser has the data folder's first card file selected: Enter takes the folder.
                if (auto* chooser = qobject_cast<QFileDialog*>(dialog))
                    observed += " " + QFileInfo(chooser->selectedFiles().value(0)).fileName();
                closeModal(dialog);
            });
        }
        CardListBox* list = window->listBox();
        const QPoint line = list->visualRect(list->lines()->index(id)).center();
        if (how == "menu") {
            window->commandAction(id)->trigger();
        } else if (how == "key") {
            press(*window, keys);
        } else {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
        }
        QTRY_VERIFY(!window->isVisible() || !seen.startsWith("closed"));
        if (!window->isVisible())
            observed = QFile::exists(settingsFile()) ? "closed, saved" : "closed";
        QCOMPARE(observed.isEmpty() ? cardNames(*window) : observed, seen);
        // The folder chooser closed by its close box changed nothing.
        QVERIFY(!seen.startsWith("QFileDialog") || (window->lister().dataDir() == data.path().toStdString() && !QFile::exists(settingsFile())));
    }

    void listFillsTheClientAreaOnceAndSelectsItsFirstLine()
    {
        QTemporaryDir data;
        writeCards(data, {"C1", "氷の壁"}, {"R1", "R2"});
        auto window = openWindow(data);
        window->resize(500, 300);
        CardListBox* list = window->listBox();
        QSignalSpy inserted(list->lines(), &QAbstractItemModel::rowsInserted);
        QSignalSpy resets(list->lines(), &QAbstractItemModel::modelReset);
        window->OnListAll();
        window->OnListAll();
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->currentIndex().row(), 0);
        QVERIFY(inserted.count() == 0 && resets.count() == 4);  // each list emptied, then filled by one reset, not line by line
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
        press(*window, QKeySequence::Copy);  // the first line, selected
        QCOMPARE(QGuiApplication::clipboard()->text(), "Common\tC1\tIce\tnote\tillust");
        // Below the menu bar down to the status bar (the scroll bar sideways: viewIsRemembered).
        QTRY_COMPARE(list->width(), window->width());
        QCOMPARE(list->geometry().bottom() + 1, window->statusBar()->geometry().top());
        list->setCurrentIndex(list->lines()->index(3));
        window->OnListRunner();
        QCOMPARE(list->currentSelection(), 0);
        // Details: with no line selected the message, with no card nothing at all.
        list->clearSelection();
        QStringList shown;
        then(acceptMessage(shown));
        window->OnDetails();
        QCOMPARE(shown, QStringList{"Voxtarn card list finder | 対象項目を選択して下さい"});
        writeCards(data, {}, {});
        window->OnListRunner();
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->currentSelection(), -1);
        window->OnDetails();
    }

    // A reading longer than the delay (none here) shows its progress in the notice, which blocks no window and takes no
    // keys; 中止, Esc in the window or the notice's close box stops it at the next slice, keeping the cards read
    // so far with the first one selected and no message; closing the window, also by Alt+F4, stops it and closes the
    // window with the settings saved. The Runner file is not read after a stop. Meanwhile the commands that read are
    // disabled, and enabled again after the stop. On two threads, both files long, the list ends where the stop found
    // the reading of the files in their order, as the status bar says.
    void stoppingALongReading_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("cores");
        for (const char* how : {"中止", "Esc", "close box", "window closed", "window Alt+F4"})
            QTest::addRow("%s", how) << QString(how) << 1;
        for (const char* how : {"中止", "window closed"})
            QTest::addRow("%s, two threads", how) << QString(how) << 2;
    }

    void stoppingALongReading()
    {
        QFETCH(QString, how);
        QFETCH(int, cores);
        const card::WorkPair::PretendedCores pretended{std::size_t(cores)};
        QTemporaryDir data;
        const std::string card = record("Card");
        std::string corp;
        const int corpCards = cores == 1 ? 10000 : 40000;  // on two threads long enough for a report, however they run
        for (int i = 0; i < corpCards; ++i)
            corp += card;
        writeFile(data, "corp.txt", corp);
        writeFile(data, "runner.txt", cores == 1 ? record("R1") : corp);
        auto window = openWindow(data);
        window->setProgressDelay(0);
        QString progress;
        atFirstYield(*window, [&](NowSearchDialog* notice) {
            progress = QString::number(notice->findChild<QProgressBar*>("progress")->value()) + " " + childText(notice, "cards") +
                       " " + disabledCommands(*window) + (QApplication::activeModalWidget() ? " modal" : "");
            if (how == "中止")
                notice->findChild<QPushButton*>("stop")->click();
            else if (how == "Esc")
                QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
            else if (how == "close box")
                notice->close();
            else if (how == "window closed")
                window->close();
            else
                QTest::keySequence(window->windowHandle(), QKeySequence("Alt+F4"));
        });
        window->OnListAll();
        const int read = cores == 1 ? 4096 : window->listBox()->count();  // the records of one slice on one thread
        const int lines = int(std::count(card.begin(), card.end(), '\n'));
        if (cores == 1)
            QCOMPARE(progress, QString("%1 4,096枚 102 103 104 105 106 108").arg(read * card.size() * 1000 / (corp.size() + card.size())));
        else
            QVERIFY2(progress.endsWith("枚 102 103 104 105 106 108"), qPrintable(progress));
        QCOMPARE(disabledCommands(*window), "");
        QCOMPARE(window->listBox()->count(), read);
        QCOMPARE(window->listBox()->currentSelection(), 0);
        QCOMPARE(window->findChild<QLabel*>("statusText")->text(),
                 QString("全カード %1枚、%2行目で読み込みを中止")
                     .arg(QLocale(QLocale::English).toString(read),
                          read < corpCards ? QString("corp.txt %1").arg(read * lines)
                                           : QString("runner.txt %1").arg((read - corpCards) * lines)));
        QCOMPARE(cardNames(*window).count("R1"), 0);
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
        const bool closes = how.startsWith("window");
        if (closes)
            QTRY_VERIFY(!window->isVisible());
        else
            QTest::qWait(20);  // a close would be posted
        QCOMPARE(window->isVisible(), !closes);
        QCOMPARE(QFile::exists(settingsFile()), closes);
        if (closes)
            return;
        // The stop was this reading's: the next one reads to the end.
        window->OnListAll();
        QCOMPARE(window->findChild<QLabel*>("statusText")->text(), QString("全カード %1枚").arg(cores == 1 ? "10,001" : "80,000"));
    }

    // Names alike in their first 16 characters and more sort whole; equal texts (every type here) keep the file order in
    // both directions; the selected line stays selected and in view wherever the order puts it.
    void sortKeepsTiesInFileOrderAndTheSelectionInView()
    {
        QTemporaryDir data;
        QStringList fileOrder;
        std::string corp;
        for (int i = 0; i < 200; ++i) {
            fileOrder << "長い名前のカード長い名前のカード" + QString::number(1000 + i * 7 % 200);
            corp += record(fileOrder.back());
        }
        writeFile(data, "corp.txt", corp);
        auto window = openWindow(data);
        window->resize(500, 300);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        list->setCurrentIndex(list->lines()->index(199, 0));
        list->scrollTo(list->currentIndex());
        QStringList seen;
        for (const auto& [column, order] : {std::pair{1, Qt::AscendingOrder}, {1, Qt::DescendingOrder}, {2, Qt::AscendingOrder}, {2, Qt::DescendingOrder}}) {
            list->header()->setSortIndicator(column, order);
            const QStringList names = shownNames(list).split(' ');
            const bool inView = list->viewport()->rect().contains(list->visualRect(list->currentIndex()));
            seen << (names == fileOrder ? "file order" : names.first().mid(16) + ".." + names.last().mid(16)) + QString(" %1 %2").arg(list->currentIndex().row()).arg(inView);
        }
        QCOMPARE(seen, (QStringList{"1000..1199 193 1", "1199..1000 6 1", "file order 199 1", "file order 199 1"}));
    }

    // A sort that makes its keys longer than a slice shows the notice; 中止 leaves the order and the arrow as they were,
    // and the next click sorts, on two cores (a stride of keys each between reports) as on one. Names alike far past
    // the windows of their keys held at first make a tie larger than the limit, ranked after the others, a stride at a
    // time: by its whole keys, or when they take more than their limit, a window further.
    void stoppingALongSort_data()
    {
        QTest::addColumn<int>("cores");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("tieKeyBytes");
        QTest::addColumn<QString>("keyed");  // when the notice first shows
        const QString alike = QString("氷河期の研究棟地下迷路夜明けの記録蛍火").repeated(2);
        for (int cores : {1, 2}) {
            QTest::addRow("%d, distinct", cores) << cores << "名" << 10000 << (32 << 20) << QString(cores == 1 ? "4,096枚" : "8,192枚");
            QTest::addRow("%d, a tie, whole keys", cores) << cores << alike << 3000 << (32 << 20) << "2,048枚";
            QTest::addRow("%d, a tie, windows", cores) << cores << alike << 3000 << 4096 << "2,048枚";
        }
    }

    void stoppingALongSort()
    {
        QFETCH(int, cores);
        QFETCH(QString, prefix);
        QFETCH(int, count);
        QFETCH(int, tieKeyBytes);
        QFETCH(QString, keyed);
        const card::WorkPair::PretendedCores pretended{std::size_t(cores)};
        const SortKeys::PretendedTieLimits limits{{16, std::size_t(tieKeyBytes)}};
        QTemporaryDir data;
        std::string corp;
        for (int i = count; i > 0; --i)
            corp += record(prefix + QString::number(i));  // no 0: Wine's collation puts it after 1
        writeFile(data, "corp.txt", corp);
        auto window = openWindow(data);
        window->OnListCorp();
        QTRY_VERIFY(window->findChild<ListReadings*>()->done());  // the keys alone are timed
        window->setProgressDelay(0);
        CardListBox* list = window->listBox();
        list->lines()->setQuietTime(0);
        QString seen;
        atFirstYield(*window, [&](NowSearchDialog* notice) {
            seen = childText(notice, "cards");
            notice->findChild<QPushButton*>("stop")->click();
        });
        for (int click = 0; click < 2; ++click) {
            list->header()->setSortIndicator(1, Qt::AscendingOrder);
            seen += QString(" %1 %2 %3").arg(list->header()->sortIndicatorSection()).arg(list->lines()->index(0, 1).data().toString()).arg(window->findChildren<NowSearchDialog*>().size());
        }
        QCOMPARE(seen, keyed + QString(" -1 %1%2 0 1 %1%3 0").arg(prefix).arg(count).arg(1));
        QCOMPARE(shownNames(list), numberedNames(prefix, count, 1).join(' '));
        // Sorted again by the text alone, stopped: the first card is found on its line meanwhile and after.
        atFirstYield(*window, [&](NowSearchDialog* notice) {
            seen = QString::number(list->lines()->rowOfCard(0));
            notice->findChild<QPushButton*>("stop")->click();
        });
        window->commandAction(ID_READING_SORT)->trigger();
        QCOMPARE(seen + " " + QString::number(list->lines()->rowOfCard(0)), QString("%1 %1").arg(count - 1));
    }

    // With 読みで並べる off names sort as the platform's Japanese collation keys order them, numbers by value, on one
    // core as on two: kana of both scripts and widths, voiced marks, a name that begins another, names alike past the
    // part of their keys held at first (a dozen characters), no name; equal names in file order. Without the collation
    // they sort by their code points, and the window's log says so. Two cores read the names in halves: names of both
    // halves, and of the second alone, more than once in it.
    void namesSortAsTheCollationKeysOrderThem_data()
    {
        QTest::addColumn<QString>("names");  // in file order; "_" for no name
        QTest::addRow("kana, widths, voiced") << "ｶｰﾄﾞ カード かーど カード ガード かと かど ｶﾞｰﾄﾞ ハ バ パ は";
        QTest::addRow("numbers") << "カード10 カード2 カード02 カード1 カード100 カード ｶｰﾄﾞ１０";
        QTest::addRow("one begins another") << "城門の鍵 城門 城門の 城 城門の鍵束 城門";
        const QString alike = "氷河期の研究棟地下迷路夜明けの記録蛍火";
        QTest::addRow("alike past the window") << QStringList{alike + "10", alike + "ア", alike + "2", alike, alike + "あ", alike + "ｱ", alike + "2"}.join(' ');
        QTest::addRow("no name") << "ア _ あ _ 1";
        QTest::addRow("again in the second half") << "城 門 城 鍵 扉 門 城 扉 門";
    }

    void namesSortAsTheCollationKeysOrderThem()
    {
        QFETCH(QString, names);
        QStringList fileOrder = names.replace('_', "").split(' ');
        QCollator collation(QLocale(QLocale::Japanese, QLocale::Japan));
        collation.setNumericMode(true);
        QStringList expected = fileOrder, byCodePoints = fileOrder;
        std::stable_sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
            return collation.sortKey(a).compare(collation.sortKey(b)) < 0;
        });
        std::stable_sort(byCodePoints.begin(), byCodePoints.end(), [](const QString& a, const QString& b) {
            return a.toUcs4() < b.toUcs4();
        });
        QTemporaryDir data;
        std::string corp;
        for (const QString& name : fileOrder)
            corp += record(name);
        writeFile(data, "corp.txt", corp);
        QStringList seen;
        for (const bool collated : {true, false}) {
            for (int cores : {1, 2}) {
                const card::WorkPair::PretendedCores pretended{std::size_t(cores)};
                std::optional<CollationKeys::PretendedFailure> failure;
                if (!collated) {
                    failure.emplace();
                    QTest::ignoreMessage(QtWarningMsg, "the list is sorted by the texts' code points, without the "
                                                       "Japanese collation: the Japanese collation could not be opened (pretended)");
                }
                auto window = openWindow(data);
                window->commandAction(ID_READING_SORT)->setChecked(false);
                window->OnListCorp();
                window->listBox()->header()->setSortIndicator(1, Qt::AscendingOrder);
                seen << shownNames(window->listBox());
            }
        }
        QCOMPARE(seen, (QStringList{expected.join(' '), expected.join(' '), byCodePoints.join(' '), byCodePoints.join(' ')}));
    }

    // Names sort by reading, kana and kanji together, at once after the list came (the click makes the readings the
    // background has not made yet); 読みで並べる off sorts by the text and stays off at the next start. Kana words find
    // kanji names, folded or not; a wrong line of readings.txt is named once a start.
    void sortAndFindByReading()
    {
        QTemporaryDir data;
        // Names whose readings agree past the part of their keys held at first, in two runs of equal readings, each
        // ordered by the collation, equal names in file order.
        const QString alike = QString("あ").repeated(40);
        const QStringList alikeInFileOrder{alike + "サ", alike + "カ", alike + "さ", alike + "か"};
        writeCards(data, {"ミラーハウス", "雨宿りの約束", alikeInFileOrder[0], alikeInFileOrder[1], "見えない手袋", alikeInFileOrder[2],
                          "コンパス", alikeInFileOrder[3], "夜明けの研究棟"},
                   {"かぎ", "黒曜の城門"});
        writeFile(data, "readings.txt", "黒曜\tこくよう\n壊れた行\n");
        // Off, the order is the platform's own Japanese collation keys, whose order of kanji differs between ICU and
        // Windows (and, under Wine, from its own string comparison): the names it sorts are those of the reading order.
        QCollator collation(QLocale(QLocale::Japanese, QLocale::Japan));
        const auto collated = [&](QStringList names) {
            std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
                return collation.sortKey(a).compare(collation.sortKey(b)) < 0;
            });
            return names;
        };
        const QString byReading = collated(alikeInFileOrder).join(' ') +
                                  " 雨宿りの約束 かぎ 黒曜の城門 コンパス 見えない手袋 ミラーハウス 夜明けの研究棟";
        const QStringList names = collated(QString(byReading).split(' '));
        const QString byText = names.join(' ');
        QVERIFY(byText != byReading);
        QStringList seen;
        for (int start = 0; start < 2; ++start) {
            auto window = openWindow(data);
            window->OnListAll();
            CardListBox* list = window->listBox();
            QAction* item = window->commandAction(ID_READING_SORT);
            list->header()->setSortIndicator(1, Qt::AscendingOrder);
            seen << QString::number(item->isChecked()) + " " + shownNames(list);
            item->trigger();
            seen << QString::number(item->isChecked()) + " " + shownNames(list);
            auto* status = window->findChild<QLabel*>("statusText");
            QVERIFY(status->text().endsWith("、readings.txt の 2 行目は使えない"));
            window->OnListAll();
            QTRY_COMPARE(status->text(), "全カード 11枚");
        }
        QCOMPARE(seen, (QStringList{"1 " + byReading, "0 " + byText, "0 " + byText, "1 " + byReading}));
        auto window = openWindow(data);
        window->OnListAll();
        auto* box = window->filterBar()->findChild<QLineEdit*>();
        for (bool fold : {true, false}) {
            window->findChild<QCheckBox*>("filterFold")->setChecked(fold);
            box->setText("こくよう");
            QTRY_COMPARE(shownNames(window->listBox()), "黒曜の城門");
            box->setText("ﾐｴﾅｲ");
            QTRY_COMPARE(shownNames(window->listBox()), "見えない手袋");
        }
        // An edited readings.txt counts from the next list on.
        writeFile(data, "readings.txt", "黒曜\tくろがね\n");
        window->OnListAll();
        QTRY_VERIFY(window->findChild<ListReadings*>()->done());
        box->setText("くろがね");
        QTRY_COMPARE(shownNames(window->listBox()), "黒曜の城門");
    }

    // The readings are made after the list shows, on two cores as on one, the status bar counting them; a kana word
    // typed meanwhile finds the cards read so far, and every card once they are all read. After the first count: a list
    // made again is read from its first card; a sort stopped while it made the rest leaves them to the background and
    // the next click sorts by reading; a closed window leaves nothing running. The dictionary, let go once all is read,
    // opens again for a new list's cards; missing then, it is said once and the cards read again when it is back.
    void readingsMadeInTheBackground_data()
    {
        QTest::addColumn<int>("cores");
        QTest::addColumn<QString>("meanwhile");
        for (int cores : {1, 2}) {
            for (const char* meanwhile : {"typing", "new list", "sort stopped", "window closed", "dictionary gone"})
                QTest::addRow("%d %s", cores, meanwhile) << cores << QString(meanwhile);
        }
    }

    void readingsMadeInTheBackground()
    {
        QFETCH(int, cores);
        QFETCH(QString, meanwhile);
        const card::WorkPair::PretendedCores pretended{std::size_t(cores)};
        QTemporaryDir data;
        QStringList names = numberedNames("夜明け", 9000);
        std::reverse(names.begin(), names.end());
        writeCards(data, names, {});
        int opened = 0;
        bool gone = false;
        auto window = openWindow(data);
        window->setProgressDelay(0);
        QPointer<ListReadings> readings = window->findChild<ListReadings*>();
        readings->setSliceMs(1);
        readings->setAnalyserOpener([&](std::string& error) {
            ++opened;
            error = "gone";  // said only when it is
            return gone ? nullptr : card::MecabAnalyser::open(QCoreApplication::applicationDirPath().toStdU16String(), error);
        });
        window->OnListAll();
        auto* status = window->findChild<QLabel*>("statusText");
        while (!status->text().startsWith("読みを作っています… ") && !readings->done())
            QCoreApplication::processEvents();
        QVERIFY(!readings->done());
        QString word = "よあけ";
        if (meanwhile == "new list") {
            writeCards(data, numberedNames("深海", 9000), {});
            window->OnListAll();
            word = "しんかい";
        } else if (meanwhile == "sort stopped") {
            window->listBox()->lines()->setQuietTime(0);  // the notice at once, however fast the machine
            atFirstYield(*window, [](NowSearchDialog* notice) { notice->findChild<QPushButton*>("stop")->click(); });
            window->listBox()->header()->setSortIndicator(1, Qt::AscendingOrder);
            QCOMPARE(window->listBox()->header()->sortIndicatorSection(), -1);
            QTRY_VERIFY(readings->done());
            window->listBox()->header()->setSortIndicator(1, Qt::AscendingOrder);
            QCOMPARE(shownNames(window->listBox()).section(QChar(' '), 0, 4), "夜明け0 夜明け1 夜明け2 夜明け3 夜明け4");
        } else if (meanwhile == "dictionary gone") {
            QTRY_VERIFY(readings->done());
            // Another folder, whose readings.txt has a bad line: its note and the dictionary's, both said.
            QTemporaryDir other;
            writeCards(other, numberedNames("深海", 9000), {});
            writeFile(other, "readings.txt", "壊れた行\n");
            gone = true;  // missing for two lists, back for the third
            window->openDataFolder(other.path());
            QTRY_VERIFY(readings->done());
            QCOMPARE(status->text(), "全カード 9,000枚、readings.txt の 1 行目は使えない、漢字の読みは使えない (辞書を開けない: gone)");
            for (int list = 0; list < 2; ++list) {
                gone = list < 1;
                window->OnListAll();
                QTRY_VERIFY(readings->done());
                if (gone)
                    QCOMPARE(status->text(), "全カード 9,000枚");
            }
            QCOMPARE(opened, 4);  // let go after each list's readings
            word = "しんかい";
        } else if (meanwhile == "window closed") {
            window.reset();
            QVERIFY(readings.isNull());
            QTest::qWait(50);
            return;
        }
        window->filterBar()->findChild<QLineEdit*>()->setText(word);
        QTRY_COMPARE(status->text(), "全カード 9,000枚のうち 9,000枚、一致: カード名");
    }

    // Three clicks on a column: ascending, descending, file order. The selection stays on its line, Details opens its
    // card and Ctrl+C copies it in any order; a new list comes in file order. Rarity: Common, Uncommon, Vital, Rare, then
    // the others by text.
    void headerSortsTheLines()
    {
        QTemporaryDir data;
        writeFile(data, "corp.txt", record("氷", "Rare") + record("3", "Promo") + record("ア", "Common") + record("イ", "Vital") +
                                        record("1", "Uncommon") + record("2", "Alpha"));
        auto window = openWindow(data);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        CardListHeader* header = list->header();
        QStringList seen;
        const auto show = [&] {
            seen << shownNames(list) + QString(" %1%2").arg(header->sortIndicatorSection()).arg(header->sortIndicatorOrder() ? "v" : "^");
        };
        for (int column : {1, 1, 1, 1, 1, 0}) {  // the fourth brings back the order kept, the other way
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 5, 5));
            show();
        }
        list->setCurrentIndex(list->lines()->index(0));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        show();
        then([&](QWidget* dialog) {
            seen << list->currentIndex().siblingAtColumn(1).data().toString() + " " + childText(dialog, "id111");
            closeModal(dialog);
        });
        press(*window, Qt::Key_Return);
        press(*window, QKeySequence::Copy);
        seen << QGuiApplication::clipboard()->text() + " " + list->actions().value(0)->text();
        window->findChild<QAction*>("command110")->trigger();  // back to the file order
        show();
        writeFile(data, "corp.txt", record("ウ") + record("い"));  // a new list sorts by its own texts
        window->OnListCorp();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
        show();
        QCOMPARE(seen, (QStringList{"1 2 3 ア イ 氷 1^", "氷 イ ア 3 2 1 1v", "氷 3 ア イ 1 2 -1^", "1 2 3 ア イ 氷 1^", "氷 イ ア 3 2 1 1v",
                                    "ア 1 イ 氷 2 3 0^", "3 2 氷 イ 1 ア 0v",
                                    "ア ア", "Common\tア\tIce\tnote\tillust コピー", "氷 3 ア イ 1 2 -1^", "い ウ 1^"}));
    }

    // Each column sorts by its own field whole (a TAB inside one too), as a Japanese reader orders it: Latin before kana, kana of both scripts
    // and widths together, voiced after unvoiced, numbers by value, kanji last; equal texts in file order. The header
    // names each column.
    void eachColumnSortsByItsField_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("names");  // in the column's ascending order
        QTest::addRow("入手頻度") << 0 << "ア カード2 キ イ あ ｶ 氷 ガ B カード10";
        QTest::addRow("カード名") << 1 << "B ア あ イ ｶ ガ カード2 カード10 キ 氷";
        QTest::addRow("カード種類") << 2 << "B 氷 ア カード2 ｶ カード10 あ ガ イ キ";
        QTest::addRow("注記") << 3 << "イ ア カード2 キ 氷 カード10 あ ガ ｶ B";
        QTest::addRow("イラスト") << 4 << "カード2 カード10 氷 ア あ ガ ｶ イ キ B";
    }

    void eachColumnSortsByItsField()
    {
        QFETCH(int, column);
        if (runsUnderWine())
            QSKIP("Wine's collation is its own, neither the Japanese order of ICU nor that of Windows");
        QTemporaryDir data;
        std::string corp;
        for (const char* card : {"Rare 氷 アイス b\tA 10", "Promo カード10 計画 b\tb 2", "Common ア ｱｲｽ a\tb B", "Vital あ 計画 bA C",
                                    "Common カード2 アイス a\tc 1", "Alpha ガ 計画 bb D", "Vital ｶ アイス bb E", "Uncommon イ 施設 a F",
                                    "Common キ 施設 b G", "Beta B Ice c H"}) {
            const QStringList f = QString(card).split(' ');
            corp += toCp932(f[1] + "\n" + f[2] + "\n\n" + f[3] + "\nIllus. " + f[4] + "\n" + f[0] + "\n--\n").value();
        }
        writeFile(data, "corp.txt", corp);
        auto window = openWindow(data);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        list->header()->setSortIndicator(column, Qt::AscendingOrder);
        QTEST(shownNames(list), "names");
        QCOMPARE(list->header()->model()->headerData(column, Qt::Horizontal).toString(), QTest::currentDataTag());
    }

    // The status bar names the data folder at first and tells after each command what the list shows; a search whose
    // file does not open names it with its whole path.
    void statusBarTellsWhatTheListShows_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("name");  // searched for among the Runner cards, partial match
        QTest::addColumn<QString>("status");
        QTest::addRow("all cards") << 104 << "" << "全カード 3枚、corp.txt 14行目で読み込みを中止";
        QTest::addRow("Runner") << 105 << "" << "Runnerカード 2枚";
        QTest::addRow("Corporate") << 106 << "" << "Corporateカード 1枚、corp.txt 14行目で読み込みを中止";
        QTest::addRow("search") << 102 << "の" << "検索結果 1枚 (ランナー: 部分一致 \"の\")";
        QTest::addRow("no hit") << 102 << "無" << "検索結果 0枚 (ランナー: 部分一致 \"無\")";
        QTest::addRow("no text") << 102 << "" << "検索結果 0枚 (ランナー: 部分一致)、カード名称かカード種類を入れてください";
    }

    void statusBarTellsWhatTheListShows()
    {
        QFETCH(int, command);
        QFETCH(QString, name);
        QFETCH(QString, status);
        QTemporaryDir data;
        writeFile(data, "corp.txt", record("C1") + toCp932("Bad\nIce\n\nnote\nillust\nCommon\nxx\n").value());
        writeFile(data, "runner.txt", record("氷の鍵") + record("Rope"));
        auto window = openWindow(data);
        const auto* label = window->findChild<QLabel*>("statusText");
        QVERIFY(window->statusBar()->isVisible());
        QCOMPARE(label->text(), "データフォルダ: " + QDir::toNativeSeparators(data.path()));
        QStringList messages;
        if (command != 105)  // the Runner file is whole
            then(command == 102 ? fillSearch(name, 203, 206) : acceptMessage(messages));
        window->findChild<QAction*>(QString("command%1").arg(command))->trigger();
        QCOMPARE(label->text(), status);
        QCOMPARE(disabledCommands(*window), "");  // after a reading ended by a fault too
        QFile::remove(data.filePath("runner.txt"));
        then(fillSearch("R", 203, 204)).then(acceptMessage(messages));
        window->OnSearch();
        const QString failure = "データファイルをオープンできない: " + QDir::toNativeSeparators(data.filePath("runner.txt"));
        QCOMPARE(label->text(), failure);
        // The list stays the one before, and so does what the status bar says of it.
        window->filterBar()->setText("x");
        window->filterBar()->setText("");
        QCOMPARE(label->text(), status + "、" + failure);
        // Once the file opens again, the status bar lets go of the failure.
        writeFile(data, "runner.txt", record("R"));
        then(fillSearch("R", 203, 204));
        window->OnSearch();
        QCOMPARE(label->text(), "検索結果 1枚 (ランナー: 完全一致 \"R\")");
    }

    // The status bar's wording for each kind of list: search texts cut after 16 characters, the type and rarity texts
    // named, a stop without a line, counts grouped.
    void listStatusWording_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QStringList>("texts");  // name, type, rarity; side and mode; folded
        QTest::addColumn<QString>("earlyEnds");  // "file line [reason]" each, by ','
        QTest::addColumn<QString>("status");
        QTest::addRow("grouped") << 0 << QStringList() << "" << "全カード 1,012,288枚";
        QTest::addRow("two stops") << 2 << QStringList() << "corp.txt 85,runner.txt 0" << "Corporateカード 1,012,288枚、corp.txt 85行目で読み込みを中止、runner.txtの読み込みを中止";
        QTest::addRow("long line") << 1 << QStringList() << "runner.txt 10 行が254バイトを超えている" << "Runnerカード 1,012,288枚、runner.txt 10行目で読み込みを中止 (行が254バイトを超えている)";
        QTest::addRow("16 characters") << 3 << QStringList{"あいうえおかきくけこさしすせそた", "", "", "12"} << "" << "検索結果 1,012,288枚 (ランナー: 部分一致 \"あいうえおかきくけこさしすせそた\")";
        QTest::addRow("type, rarity") << 3 << QStringList{"", "アイスアイスアイスアイスアイスア", "Rare", "00", "fold"} << "" << "検索結果 1,012,288枚 (コーポレーション: 完全一致・かな全半角同一視 カード種類 \"アイスアイスアイスアイスアイスア\" 入手頻度 \"Rare\")";
        QTest::addRow("all three cut") << 3 << QStringList{"氷", "アイスアイスアイスアイスアイスアイ", "ＶｉｔａｌＶｉｔａｌＶｉｔａｌＶｉ", "11"} << "runner.txt 3" << "検索結果 1,012,288枚 (ランナー: 前方一致 \"氷\" カード種類 \"アイスアイスアイスアイスアイス…\" 入手頻度 \"ＶｉｔａｌＶｉｔａｌＶｉｔａｌ…\")、runner.txt 3行目で読み込みを中止";
    }

    void listStatusWording()
    {
        QFETCH(int, source);
        QFETCH(QStringList, texts);
        QFETCH(QString, earlyEnds);
        ListStatus status{ListStatus::Source(source), 1012288, {}, {}};
        if (!texts.isEmpty()) {
            const QString how = texts.value(3);
            status.criteria = {*toCp932(texts[0]), *toCp932(texts[1]), *toCp932(texts[2]), how[0].digitValue(), card::search_mode(how[1].digitValue()), texts.size() > 4};
        }
        for (const QString& end : earlyEnds.split(',', Qt::SkipEmptyParts))
            status.earlyEnds.push_back({card::EngineMessage::Stopped, end.section(' ', 0, 0).toStdString(), "", end.section(' ', 1, 1).toLong(), end.section(' ', 2).toStdString()});
        QTEST(status.text(), "status");
    }

    // 表示 → ステータスバー shows and hides the status bar, checked while it shows, and is remembered; a stored value
    // other than 0 shows it. Without stored widths the columns fit the list's width at their tab stops' proportions,
    // every name whole and no scroll bar sideways, and a wider window widens the last; widths stored by the program come
    // back, anything else is fitted. Closing stores what is shown.
    // The テキスト column, hidden at first, is stored after the list's columns, "-" before a hidden column's width.
    void viewIsRemembered_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("widths");  // in pixels, "fit" for the fitted ones
        QTest::addColumn<QString>("text");    // the テキスト column's width as stored, "-first" for hidden at first
        QTest::addRow("first run") << QByteArray() << true << "fit" << "-first";
        QTest::addRow("first run, filled") << QByteArray("liststart=1") << true << "fit" << "-first";
        QTest::addRow("hidden") << QByteArray("statusbar=0") << false << "fit" << "-first";
        QTest::addRow("shown") << QByteArray("statusbar=1") << true << "fit" << "-first";
        QTest::addRow("never written") << QByteArray("statusbar=2") << true << "fit" << "-first";
        QTest::addRow("no number") << QByteArray("statusbar=off") << true << "fit" << "-first";
        QTest::addRow("widths") << QByteArray("columns=40 150 40 800 200") << true << "40 150 40 800 200" << "-first";
        QTest::addRow("text shown") << QByteArray("columns=40 150 40 800 200 400") << true << "40 150 40 800 200" << "400";
        QTest::addRow("text hidden") << QByteArray("columns=40 150 -40 800 200 -400") << true << "40 150 0 800 200" << "-400";
        QTest::addRow("all hidden") << QByteArray("columns=-30 -150 -40 -300 -200 -400") << true << "fit" << "-first";
        QTest::addRow("four") << QByteArray("columns=30 150 40 300") << true << "fit" << "-first";
        QTest::addRow("six") << QByteArray("columns=30 150 40 300 200 9") << true << "fit" << "-first";
        QTest::addRow("seven") << QByteArray("columns=30 150 40 300 200 400 50") << true << "fit" << "-first";
        QTest::addRow("no width") << QByteArray("columns=30 150 x 300 200") << true << "fit" << "-first";
        QTest::addRow("too wide") << QByteArray("columns=30 10001 40 300 200") << true << "fit" << "-first";
        QTest::addRow("too narrow") << QByteArray("columns=30 150 40 300 0") << true << "fit" << "-first";
        QTest::addRow("list") << QByteArray("columns=30, 150, 40, 300, 200") << true << "fit" << "-first";
    }

    void viewIsRemembered()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, shown);
        QFETCH(QString, widths);
        QFETCH(QString, text);
        writeSettings("[view]\n" + stored + "\n");
        QTemporaryDir data;
        const bool filled = stored.startsWith("liststart");  // cards listed once the window shows, as at a start
        if (filled)
            writeCards(data, QStringList(100, "札"), {});
        CMainWindow window(data.path().toStdString());
        window.setFont(QFont(window.font().family(), 12));  // the tab stops wider than the window, as with a Japanese system's font
        window.resize(960, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.listAtStart(false);
        CardListBox* list = window.listBox();
        QCOMPARE(list->verticalScrollBar()->isVisible(), filled);
        const QAbstractItemView* view = list;  // a line's height as its text asks, in the font set after the window was made
        QVERIFY(!filled || list->rowHeight(0) >= view->sizeHintForRow(0));
        CardListHeader* header = list->header();
        const auto sizes = [header] { QStringList seen; for (int c = 0; c < card::kListColumnCount; ++c) seen << QString::number(header->sectionSize(c)); return seen; };
        // Fitted: the list's width, every name whole (and "Uncommon" in the rarity column), no scroll bar sideways.
        const auto cut = [&](int column, const QString& text, const QFontMetrics& font, int margin) { return header->sectionSize(column) < font.horizontalAdvance(text) + 2 * margin; };
        QString cutNames = cut(0, "Uncommon", list->fontMetrics(), list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) ? "Uncommon" : "";
        for (int c = 0; c < card::kListColumnCount; ++c)
            cutNames += cut(c, list->model()->headerData(c, Qt::Horizontal).toString(), header->fontMetrics(), header->style()->pixelMetric(QStyle::PM_HeaderMargin)) ? " name" : "";
        if (widths == "fit") {
            QVERIFY2(header->length() == list->viewport()->width() && !list->horizontalScrollBar()->isVisible() && cutNames.isEmpty(), qPrintable(cutNames));
            QStringList wider = sizes();
            wider.last() = QString::number(wider.last().toInt() + 200);
            window.resize(1160, 600);
            QTRY_COMPARE(sizes(), wider);
        } else {  // wider than the window: the last one keeps its width, and the scroll bar shows
            QVERIFY(sizes().join(QChar(32)) == widths && list->horizontalScrollBar()->isVisible());
            // Right and Left scroll sideways, the line staying where it is.
            const int line = list->currentSelection();
            QTest::keyClick(list, Qt::Key_Right);
            QVERIFY(list->horizontalScrollBar()->value() > 0 && list->currentSelection() == line);
            QTest::keyClick(list, Qt::Key_Left);
            QVERIFY(list->horizontalScrollBar()->value() == 0 && list->currentSelection() == line);
        }
        window.resize(400, 300);
        QAction* item = window.findChild<QAction*>("command109");
        QVERIFY(window.statusBar()->isVisible() == shown && item->isChecked() == shown);
        item->trigger();
        QVERIFY(window.statusBar()->isVisible() != shown && item->isChecked() != shown);
        QCOMPARE(header->isSectionHidden(card::kListColumnCount), text.startsWith('-'));
        if (text == "-first")
            text = QString("-%1").arg(80 * DialogBaseUnits::averageLetterWidth(list->fontMetrics()));
        // The context menu shows the hidden テキスト column at its width, or hides it; the last column shown stays.
        QMenu* menu = header->columnMenu();
        QCOMPARE(menu->actions()[5]->text(), "テキスト");
        menu->actions()[5]->trigger();
        text = text.startsWith('-') ? text.mid(1) : '-' + text;
        QCOMPARE(header->sectionSize(card::kListColumnCount), text.startsWith('-') ? 0 : text.toInt());
        QStringList seen = sizes();
        header->resizeSection(1, 77);
        window.close();
        seen[1] = "77";
        for (QString& width : seen)
            width = width == "0" ? "-40" : width;
        QCOMPARE(ProfileStore().getProfileInt("view", "statusbar", -1), shown ? 0 : 1);
        QCOMPARE(ProfileStore().getProfileString("view", "columns"), seen.join(' ') + ' ' + text);
    }

    // The filter box: Ctrl+F reaches it, the list narrows as the text changes, keeping the selected line while it
    // shows and selecting the first otherwise; Enter and Down leave for the first line without opening a card, Esc
    // clears the box; the status bar gives both counts and names what no card can hold; a new list keeps the text.
    void filterBoxNarrowsTheList()
    {
        QTemporaryDir data;
        writeCards(data, {"氷の壁", "Wall", "黒い犬"}, {"R1", "犬小屋", "ｲﾇ", "子犬"});
        auto window = openWindow(data);
        window->OnListAll();
        CardListBox* list = window->listBox();
        auto* box = window->findChild<QLineEdit*>("filterText");
        const auto* status = window->findChild<QLabel*>("statusText");
        QVERIFY(box->placeholderText() == "絞り込み (Ctrl+F)" && !window->filterBar()->isMovable());
        press(*window, QKeySequence("Ctrl+F"));
        QCOMPARE(QApplication::focusWidget(), box);
        box->insert("犬");  // as an input method commits it
        QCOMPARE(shownNames(list), "黒い犬 犬小屋 子犬");
        QCOMPARE(list->currentSelection(), 0);
        QCOMPARE(status->text(), "全カード 7枚のうち 3枚、一致: カード名");
        list->setCurrentIndex(list->lines()->index(1));
        QTest::keyClick(box, Qt::Key_Space);
        box->insert("小");
        QCOMPARE(shownNames(list), "犬小屋");
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(shownNames(list) == "黒い犬 犬小屋 子犬" && list->currentSelection() == 1);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() == list && list->currentSelection() == 0);
        // The folding follows the check box; a character Shift-JIS lacks is named.
        box->setText("ｗａｌｌ");
        QCOMPARE(shownNames(list), "Wall");
        window->findChild<QCheckBox*>("filterFold")->click();
        QCOMPARE(shownNames(list), "");
        box->setText("-r:rare 😀");
        QCOMPARE(status->text(), "全カード 7枚のうち 0枚、カードにない文字: 😀");
        box->setText("犬");
        window->OnListRunner();
        QVERIFY(box->text() == "犬" && shownNames(list) == "犬小屋 子犬" && list->currentSelection() == 0);
        QCOMPARE(status->text(), "Runnerカード 4枚のうち 2枚、一致: カード名");
        box->setText("屋");
        then(fillSearch("犬", 203, 206));
        window->OnSearch();
        QCOMPARE(status->text(), "検索結果 2枚のうち 1枚 (ランナー: 部分一致 \"犬\")、一致: カード名");
        press(*window, QKeySequence("Ctrl+F"));
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(box->text().isEmpty() && QApplication::focusWidget() == list);
        QCOMPARE(status->text(), "検索結果 2枚 (ランナー: 部分一致 \"犬\")");
        box->setText("犬");
        QTest::keyClick(box, Qt::Key_Down);
        QVERIFY(QApplication::focusWidget() == list && list->currentSelection() == 0);
        // Keys where the focus is: Down from the box to the list. An excluded word no card can hold leaves out none.
        press(*window, QKeySequence("Ctrl+F"));
        box->setText("-犬😀");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(QApplication::focusWidget() == list && list->currentSelection() == 0);
        QCOMPARE(status->text(), "検索結果 2枚 (ランナー: 部分一致 \"犬\")、カードにない文字: 😀");
    }

    // Details from the list for a card whose rules text fills all five lines.
    void detailsOfACardWithFiveRulesLines()
    {
        QTemporaryDir data;
        writeFile(data, "corp.txt", toCp932("五行\nT\n一\n二\n三\n四\n五\nnote\nillust\nRare\n--\n").value());
        auto window = openWindow(data);
        window->OnListCorp();
        QStringList texts;
        then([&](QWidget* dialog) {
            for (const char* id : {"id111", "id113", "id114", "id116"})
                texts << childText(dialog, id);
            closeModal(dialog);
        });
        press(*window, Qt::Key_Return);
        QCOMPARE(texts, (QStringList{"五行", "一\n二\n三\n四\n五\n", "note", "Rare"}));
    }

    // A field's tooltip shows it whole exactly when its column cuts it.
    void tooltipExactlyForACutField()
    {
        QTemporaryDir data;
        writeCards(data, {"長い名前のカード"}, {});
        auto window = openWindow(data);
        window->OnListAll();
        CardListBox* list = window->listBox();
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        const int needed = list->fontMetrics().horizontalAdvance("長い名前のカード") + margin;
        QStringList tips;
        for (int width : {needed, needed - 1}) {
            list->header()->resizeSection(1, width);
            QToolTip::hideText();
            const QPoint at = list->visualRect(list->lines()->index(0, 1)).center();
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            tips << (QToolTip::isVisible() ? QToolTip::text() : QString());
        }
        QCOMPARE(tips, (QStringList{"", "長い名前のカード"}));
    }

    // The marks of a painted cell come from the delegate, on the characters as they stand (ｶﾞ for a typed ガ, folded);
    // a line listed for its rules text says which lines in its tooltip and the status bar; what the text leaves out is
    // said; only the painted lines are looked at.
    void filterShowsWhereItMatched()
    {
        QTemporaryDir data;
        std::string corp = record("黒い 犬", "Rare", "A: 1 クレジットを得る。\n追跡: <b>クレジット") + record("ｶﾞｰﾄﾞ") + record("Rope");
        for (int i = 0; i < 3000; ++i)
            corp += record(QString("g%1").arg(i));
        writeFile(data, "corp.txt", corp);
        auto window = openWindow(data);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        auto* delegate = qobject_cast<MatchHighlightDelegate*>(list->itemDelegate());
        const auto* status = window->findChild<QLabel*>("statusText");
        window->filterBar()->setText("x:\"1 クレジット\" | ガ | n:g -n:g1 )");
        QTRY_COMPARE(list->count(), 2 + 3000 - 1111);  // the filter runs in slices of clock time
        list->grab();
        QVERIFY(delegate->cellsLookedUp() > 0 && delegate->cellsLookedUp() < 5 * 60);
        using Pieces = QList<FilterMarks::Piece>;
        QCOMPARE(delegate->piecesOf(list->lines()->index(1, 1)), Pieces({{0, 2}}));
        QCOMPARE(delegate->piecesOf(list->lines()->index(0, 1)), Pieces());
        QCOMPARE(delegate->piecesOf(list->lines()->index(2, 1)), Pieces({{0, 1}}));
        QCOMPARE(delegate->piecesOf(list->lines()->index(0, 5)), Pieces({{3, 7}}));
        list->setCurrentIndex(list->lines()->index(0));
        QCOMPARE(status->text(), "Corporateカード 3,003枚のうち 1,891枚、絞り込みで無視: 29文字目の )、一致: テキスト1行目");
        QHelpEvent help(QEvent::ToolTip, list->visualRect(list->lines()->index(0, 2)).center(),
                        list->viewport()->mapToGlobal(list->visualRect(list->lines()->index(0, 2)).center()));
        QApplication::sendEvent(list->viewport(), &help);
        QCOMPARE(QToolTip::text(), "<p style='white-space:pre'>テキスト1行目: A: <b><u>1 クレジット</u></b>を得る。</p>");
        window->filterBar()->setText("クレジット");
        QTRY_COMPARE(list->count(), 1);
        list->setCurrentIndex(list->lines()->index(0));
        QCOMPARE(status->text(), "Corporateカード 3,003枚のうち 1枚、一致: テキスト1行目, テキスト2行目");
        QCOMPARE(list->lines()->index(0, 5).data().toString(), "A: 1 クレジットを得る。 / 追跡: <b>クレジット");
        QCOMPARE(delegate->piecesOf(list->lines()->index(0, 5)), Pieces({{5, 5}, {24, 5}}));
        QApplication::sendEvent(list->viewport(), &help);
        QCOMPARE(QToolTip::text(), "<p style='white-space:pre'>テキスト1行目: A: 1 <b><u>クレジット</u></b>を得る。<br>"
                                   "テキスト2行目: 追跡: &lt;b&gt;<b><u>クレジット</u></b></p>");
    }

    // Texts taken to the list (Enter, Down, the focus leaving after a change) come back newest first, each once, at most
    // 20, after a restart; one chosen from Alt+Down is applied at once. Saved filters keep any characters across a
    // restart; 整理 renames and deletes.
    void filterHistoryAndSavedFilters()
    {
        QTemporaryDir data;
        writeCards(data, {"A&B", "C", "D"}, {});
        const QString tricky = "A&B | \"C D\" 名前, \\ ; = /";
        auto window = openWindow(data);
        window->OnListCorp();
        auto* box = window->findChild<QLineEdit*>("filterText");
        auto entries = [&window] {
            QStringList texts;
            for (QAction* action : window->filterBar()->historyMenu()->actions())
                texts << action->text();
            return texts;
        };
        for (auto [text, key] : {std::pair{"C", Qt::Key_Return}, {"D", Qt::Key_Down}, {"", Qt::Key_unknown}, {"C", Qt::Key_Return}}) {
            press(*window, QKeySequence("Ctrl+F"));
            QTest::keyClicks(box, text[0] ? text : "x");
            if (key == Qt::Key_unknown)
                window->listBox()->setFocus(Qt::MouseFocusReason);
            else
                QTest::keyClick(box, key);
        }
        press(*window, QKeySequence("Ctrl+F"));
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(window->filterBar()->historyMenu()->isVisible());
        QCOMPARE(entries(), QStringList({"C", "x", "D"}));
        window->filterBar()->historyMenu()->actions()[2]->trigger();
        QVERIFY(box->text() == "D" && shownNames(window->listBox()) == "D");
        for (int i = 0; i < 20; ++i) {
            box->setText(QString("n%1").arg(i));
            QTest::keyClick(box, Qt::Key_Return);
        }
        box->setText(tricky);
        QCOMPARE(window->listBox()->count(), 1);
        then([](QWidget* modal) {
            static_cast<QInputDialog*>(modal)->setTextValue("名前 & \"x\", \\ ; = /");
            static_cast<QInputDialog*>(modal)->accept();
        });
        window->findChild<QAction*>("saveFilter")->trigger();
        then([](QWidget* modal) { static_cast<QInputDialog*>(modal)->accept(); });
        box->setText("C");
        window->findChild<QAction*>("saveFilter")->trigger();
        window->close();
        window = openWindow(data);
        window->OnListCorp();
        box = window->findChild<QLineEdit*>("filterText");
        window->filterBar()->showHistory();
        QCOMPARE(entries().size(), 20);
        QVERIFY(entries().first() == "n19" && entries().last() == "n0");
        auto* saved = window->findChild<QMenu*>("savedFilters");
        emit saved->aboutToShow();
        QCOMPARE(saved->actions()[0]->text(), "名前 && \"x\", \\ ; = /");
        saved->actions()[0]->trigger();
        QVERIFY(box->text() == tricky && shownNames(window->listBox()) == "A&B");
        then([](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("savedFilterList");
            list->item(0)->setText("新");
            list->setCurrentRow(1);
            modal->findChild<QPushButton*>("deleteSavedFilter")->click();
            static_cast<QDialog*>(modal)->accept();
        });
        window->findChild<QAction*>("organiseFilters")->trigger();
        QCOMPARE(ProfileStore().getProfileStringList("filter", "saved"), QStringList({"新", tricky}));
    }

    // The header sorts the filtered lines, Details and Ctrl+C take the card of the chosen line.
    void sortDetailsAndCopyOnFilteredLines()
    {
        QTemporaryDir data;
        writeCards(data, {"b1", "a2", "x3", "c4"}, {});
        auto window = openWindow(data);
        window->OnListCorp();
        CardListBox* list = window->listBox();
        window->filterBar()->setText("-x");
        list->header()->setSortIndicator(1, Qt::DescendingOrder);
        QCOMPARE(shownNames(list), "c4 b1 a2");
        list->setCurrentIndex(list->lines()->index(2));
        QString opened;
        then([&](QWidget* dialog) { opened = childText(dialog, "id111"); closeModal(dialog); });
        window->OnDetails();
        QCOMPARE(opened, "a2");
        press(*window, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "Common\ta2\tIce\tnote\tillust");
        window->filterBar()->setText("-x -a");
        QCOMPARE(shownNames(list), "c4 b1");
        list->header()->setSortIndicator(1, Qt::AscendingOrder);
        QCOMPARE(shownNames(list), "b1 c4");
    }

    // Text typed into the box while the cards load (before the first progress report, while the notice shows, as the
    // notice goes) or while a sort makes its keys: once it is over the list shows what the box says, the cards of the
    // same text typed afterwards; only the player stops a reading; Ctrl+F and the text after it still come through.
    void typingDuringALongReading_data()
    {
        QTest::addColumn<QString>("stage");
        for (const char* stage : {"before progress", "notice shows", "notice goes", "sorting"})
            QTest::addRow("%s", stage) << QString(stage);
    }

    void typingDuringALongReading()
    {
        QFETCH(QString, stage);
        // On one thread the reading reports at its 4,096th card; on two a loaded machine may read both files between
        // two reports.
        const card::WorkPair::PretendedCores pretended(1);
        QTemporaryDir data;
        const QStringList names = numberedNames("c", 9000);
        writeCards(data, names, {"r12"});
        auto window = openWindow(data);
        window->setProgressDelay(0);
        CardListBox* list = window->listBox();
        list->lines()->setQuietTime(0);
        if (stage == "sorting")
            window->OnListAll();
        press(*window, QKeySequence("Ctrl+F"));
        const auto type = [&window](const char* text) {
            for (; *text; ++text)
                QTest::keyClick(window->windowHandle(), *text);
        };
        if (stage == "before progress") {
            QTimer::singleShot(0, window.get(), [&] { type("c12"); });
        } else if (stage == "notice goes") {
            QObject::connect(window->findChild<ReadingSession*>(), &ReadingSession::ended, window.get(),
                             [&] { QTimer::singleShot(0, window.get(), [&] { type("c12"); }); }, Qt::SingleShotConnection);
        } else {
            atFirstYield(*window, [&](NowSearchDialog*) { type("c12"); });
        }
        if (stage == "sorting")
            list->header()->setSortIndicator(1, Qt::DescendingOrder);
        else
            window->OnListAll();
        const auto* status = window->findChild<QLabel*>("statusText");
        QTRY_COMPARE(status->text(), "全カード 9,001枚のうち 111枚、一致: カード名");
        const QString typedMeanwhile = shownNames(list);
        window->filterBar()->setText("");
        QTest::keySequence(window->windowHandle(), QKeySequence("Ctrl+F"));
        type("c12");
        QTRY_COMPARE(shownNames(list), typedMeanwhile);
    }

    // A filter longer than a slice lets the events run; a newer text abandons it, and only its cards come,
    // on two cores (each slice tests both halves at once) as on one.
    void aNewerTextAbandonsALongFilter_data()
    {
        QTest::addColumn<int>("cores");
        QTest::addRow("one core") << 1;
        QTest::addRow("two cores") << 2;
    }

    void aNewerTextAbandonsALongFilter()
    {
        QFETCH(int, cores);
        const card::WorkPair::PretendedCores pretended{std::size_t(cores)};
        QTemporaryDir data;
        const QStringList names = numberedNames("c", 5000);
        writeCards(data, names, {});
        auto window = openWindow(data);
        window->OnListCorp();
        auto* runner = window->findChild<FilterBoxWorker*>();
        runner->setSliceMs(0);
        QSignalSpy finished(runner, &FilterBoxWorker::finished);
        window->filterBar()->setText("c1");
        QVERIFY(finished.isEmpty() && window->listBox()->count() == 5000);
        window->filterBar()->setText("c49");
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(shownNames(window->listBox()), names.filter("c49").join(' '));
        // A pasted page: read to its 1,000th word (the 1,001st would leave c49 out), a few cards a slice, and said so;
        // of twenty characters no card holds, the first fifteen are named, none split.
        QString page = "c4 -";
        for (char32_t face = U'😀'; face < U'😀' + 20; ++face)
            page += QString::fromUcs4(&face, 1);
        for (int i = 3; i <= 1000; ++i)
            page += QString(" -x%1").arg(i);
        window->filterBar()->setText(page + " -c49");
        QVERIFY(runner->cut() && finished.count() == 1);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 30000);  // a page of words over slices of one test is slow under Wine
        QCOMPARE(shownNames(window->listBox()), names.filter("c4").join(' '));
        QCOMPARE(window->findChild<QLabel*>("statusText")->text(), "Corporateカード 5,000枚のうち 1,111枚、カードにない文字: " +
                                                                       page.mid(4, 30) + "…、絞り込みは先頭の1,000語・10,000文字まで、一致: カード名");
        // The box itself keeps one character more than the filter reads.
        window->filterBar()->setText(QString(100000, 'c'));
        QTRY_VERIFY(finished.count() == 3 && window->filterBar()->text().size() == 10001 && runner->cut());
    }

    // The check box and the bar are remembered (on unless stored as 0); hiding the bar clears the filter.
    void filterSettings_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("fold");
        QTest::addColumn<bool>("bar");
        QTest::addRow("first run") << QByteArray() << true << true;
        QTest::addRow("off") << QByteArray("[filter]\nfold=0\n[view]\nfilterbar=0\n") << false << false;
        QTest::addRow("never written") << QByteArray("[filter]\nfold=x\n[view]\nfilterbar=2\n") << true << true;
    }

    void filterSettings()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, fold);
        QFETCH(bool, bar);
        writeSettings(stored);
        QTemporaryDir data;
        writeCards(data, {"A", "B"}, {});
        auto window = openWindow(data);
        window->OnListCorp();
        QAction* item = window->findChild<QAction*>("command111");
        auto* check = window->findChild<QCheckBox*>("filterFold");
        QVERIFY(check->isChecked() == fold && window->filterBar()->isVisible() == bar && item->isChecked() == bar);
        if (!bar)
            item->trigger();
        window->filterBar()->setText("A");
        QCOMPARE(window->listBox()->count(), 1);
        item->trigger();
        QVERIFY(!window->filterBar()->isVisible() && window->filterBar()->text().isEmpty() && window->listBox()->count() == 2);
        press(*window, QKeySequence("Ctrl+F"));  // shows the bar again
        QVERIFY(window->filterBar()->isVisible() && item->isChecked());
        check->click();
        item->trigger();
        window->close();
        QCOMPARE(ProfileStore().getProfileInt("filter", "fold", -1), fold ? 0 : 1);
        QCOMPARE(ProfileStore().getProfileInt("view", "filterbar", -1), 0);
    }

    // The search dialog edits a copy of the window's criteria; a file that cannot be opened gives one plain message
    // box, and a search then keeps the previous list, a list command what the other file gave.
    void searchAndUnreadableFiles()
    {
        QTemporaryDir data;
        writeCards(data, {"氷の壁"}, {"Ice Pick", "Rope", "氷の鍵", "Nice Try", "アイス・ピック"});
        auto window = openWindow(data);
        // Folded: hiragana and half-width katakana find the katakana card.
        then(fillSearch("あいす・ﾋﾟｯｸ", 203, 204, true));
        press(*window, Qt::Key_F5);
        QCOMPARE(cardNames(*window), "アイス・ピック");
        QVERIFY(window->searchCriteria().fold);
        then(fillSearch("ICE", 203, 206, true));
        press(*window, Qt::Key_F5);
        QCOMPARE(cardNames(*window), "Ice Pick Nice Try");
        window->listBox()->setCurrentIndex(window->listBox()->lines()->index(1));
        const card::SearchCriteria before = window->searchCriteria();
        QString shown;
        then([&](QWidget* dialog) {
            shown = childText(dialog, "id208");
            clickId(dialog, 202);
            clickId(dialog, 2);
        });
        window->OnSearch();  // Cancel: nothing changes
        QCOMPARE(shown, "ICE");
        QVERIFY(window->searchCriteria() == before);

        QFile::remove(data.filePath("runner.txt"));
        QStringList messages;
        then(fillSearch("Rope", 203, 204)).then(acceptMessage(messages));
        window->OnSearch();
        QCOMPARE(cardNames(*window), "Ice Pick Nice Try");
        QCOMPARE(window->listBox()->currentSelection(), 1);
        QCOMPARE(window->searchCriteria().mode, card::search_mode::Exact);  // the confirmed criteria are kept
        QCOMPARE(messages, QStringList{"Voxtarn card list finder | データファイルをオープンできない"});
        QVERIFY(window->findChildren<NowSearchDialog*>().isEmpty());
    }

    // Values a user may have edited by hand: what is no 32-bit decimal, no plain string or out of range counts as
    // absent.
    void storedSearchValues_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("criteria");  // name, side, mode, fold
        QTest::addRow("first run") << QByteArray() << " 0 0 0";
        QTest::addRow("stored") << QByteArray("key=アイス\ntype=1\nmode=2\nfold=1") << "アイス 1 2 1";
        QTest::addRow("partly") << QByteArray("key=x\nmode=1\nfold=0") << "x 0 1 0";
        QTest::addRow("never written") << QByteArray("type=2\nmode=3\nfold=2") << " 0 0 0";
        QTest::addRow("negative") << QByteArray("type=-1\nmode=-5\nfold=-1") << " 0 0 0";
        QTest::addRow("lists") << QByteArray("key=a, b\ntype=1, 0\nfold=1, 1") << " 0 0 0";
        for (const char* mode : {"4294967297", "-4294967294", "1x", "0x1", "1.5", ""})  // 1 or 2 if read loosely
            QTest::addRow("mode=%s", mode) << "mode=" + QByteArray(mode) + "\nfold=true" << " 0 0 0";
    }

    void storedSearchValues()
    {
        QFETCH(QByteArray, stored);
        writeSettings("[search]\n" + stored + "\n");
        const card::SearchCriteria criteria = CMainWindow().searchCriteria();
        QTEST(QString("%1 %2 %3 %4").arg(fromCp932(criteria.name)).arg(criteria.side).arg(int(criteria.mode)).arg(criteria.fold), "criteria");
        QVERIFY(criteria.type.empty() && criteria.rate.empty());
    }

    // The folder named on the command line when it is one, or the folder of the file named there; else the current folder when it holds a data file; else the
    // folder opened last when it still exists; else the sample cards installed beside the program (bin/sample) or where
    // the install puts them; else the current folder.
    void dataFolderAtStart_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sample");  // where a sample card file lies
        QTest::addColumn<QString>("expected");  // "!" after it: the DIR given was not found
        const QString beside = "bin/sample", installed = "share/doc/voxtarn/examples";
        QTest::addRow("DIR given") << "given" << "withFile" << "stored" << beside << "given";
        QTest::addRow("DIR gone") << "given/gone" << "empty" << "stored" << beside << "empty!";
        QTest::addRow("DIR a file") << "stored/corp.txt" << "empty" << "" << beside << "stored";
        QTest::addRow("current folder with a file") << "" << "withFile" << "stored" << beside << "withFile";
        QTest::addRow("stored folder") << "" << "empty" << "stored" << beside << "stored";
        QTest::addRow("stored folder gone") << "" << "empty" << "given/gone" << beside << beside;
        QTest::addRow("nothing stored, installed") << "" << "empty" << "" << installed << installed;
        QTest::addRow("nothing stored, no sample") << "" << "empty" << "" << "" << "empty";
    }

    void dataFolderAtStart()
    {
        QFETCH(QString, argument);
        QFETCH(QString, current);
        QFETCH(QString, stored);
        QFETCH(QString, sample);
        QFETCH(QString, expected);
        QTemporaryDir root;
        for (const char* folder : {"given", "empty", "withFile", "stored", "bin/sample", "share/doc/voxtarn/examples"})
            QDir().mkpath(root.filePath(folder));
        writeFile(root, "withFile/runner.txt", "");
        if (!sample.isEmpty())
            writeFile(root, sample + "/runner.txt", "");
        writeFile(root, "stored/corp.txt", "");
        const auto path = [&](const QString& name) { return name.isEmpty() ? name : root.filePath(name); };
        if (!stored.isEmpty())
            DataFolderSettings::remember(path(stored));
        const DataFolderSettings::Start start = DataFolderSettings::atStart(path(argument), DataFolderSettings::toPath(path(current)), SampleFolder::of(root.filePath("bin")));
        const bool notFound = expected.endsWith('!');
        QCOMPARE(start.folder, DataFolderSettings::toPath(root.filePath(notFound ? expected.chopped(1) : expected)));
        QCOMPARE(start.argumentNotFound, notFound);
        QCOMPARE(start.sample, expected == sample);
    }

    // A folder named at start, the folder of a file named there, or a folder chosen with データフォルダを開く lists its
    // cards at once; so does a plain start (unless 起動時にカードを表示 was switched off, which a restart keeps), the
    // sample cards when nothing is stored, saying so; a folder without card files says how to choose one. A folder that
    // cannot be remembered is said at once and again on closing. %1: the folder of the data folders.
    void openingAFolder_data()
    {
        QTest::addColumn<QString>("how");  // "start" with the argument, "stored" before a plain start, "chosen"
        const QString sample = "サンプルのカードを表示しています: 自分のカードは ファイル → データフォルダを開く (Ctrl+O) で";
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("status");
        const QString choose = "corp.txt と runner.txt のあるフォルダを ファイル → データフォルダを開く (Ctrl+O) で選んでください";
        QTest::addRow("start with a folder") << "start" << "cards" << "C1 R1" << "全カード 2枚";
        QTest::addRow("start with a file") << "start" << "cards/runner.txt" << "C1 R1" << "全カード 2枚";
        QTest::addRow("plain start, folder stored") << "stored" << "cards" << "C1 R1" << "全カード 2枚";
        QTest::addRow("plain start, nothing stored") << "stored" << "" << "S1 S2" << sample;
        QTest::addRow("restart after switching off") << "stored, switched off" << "cards" << "" << "データフォルダ: %1/cards";
        QTest::addRow("plain start, no data file") << "stored" << "empty" << "" << choose;
        QTest::addRow("chosen") << "chosen" << "cards" << "C1 R1" << "全カード 2枚";
        QTest::addRow("chosen, no corp.txt") << "chosen" << "runnerOnly" << "" << "全カード 0枚、データファイルをオープンできない: %1/runnerOnly/corp.txt";
        // Last: the failed write stays pending in Qt's shared settings cache.
        QTest::addRow("chosen, settings folder a file") << "unwritable" << "cards" << "C1 R1" << "全カード 2枚、設定を保存できない: " + settingsFile();
        QTest::addRow("settings writable again by closing") << "writable again" << "cards" << "C1 R1" << "全カード 2枚、設定を保存できない: " + settingsFile();
    }

    void openingAFolder()
    {
        QFETCH(QString, how);
        QFETCH(QString, folder);
        QFETCH(QString, cards);
        QFETCH(QString, status);
        QTemporaryDir root;
        for (const char* folder : {"cards/sub", "empty", "runnerOnly/sub", "sample"})
            QDir().mkpath(root.filePath(folder));
        for (const char* other : {"cards/notes.txt", "runnerOnly/corp.txt.bak"})
            writeFile(root, other, "");
        writeFile(root, "cards/corp.txt", record("C1"));
        writeFile(root, "cards/runner.txt", record("R1"));
        writeFile(root, "runnerOnly/runner.txt", record("R1"));
        writeFile(root, "sample/corp.txt", record("S1"));
        writeFile(root, "sample/runner.txt", record("S2"));
        const QString path = folder.isEmpty() ? folder : root.filePath(folder);
        const QString settingsFolder = QFileInfo(settingsFile()).absolutePath();
        CMainWindow* window = nullptr;
        std::unique_ptr<CMainWindow> chosen;
        QStringList messages;
        if (how == "start" || how.startsWith("stored")) {
            if (how.startsWith("stored"))
                DataFolderSettings::remember(path);
            auto* app = static_cast<CMyApp*>(qApp);
            for (int start = how.endsWith("off") ? 2 : 1; start > 0; --start) {
                if (app->mainWindow() && how.endsWith("off")) {
                    app->mainWindow()->commandAction(ID_LIST_AT_START)->trigger();
                    app->mainWindow()->close();
                }
                QVERIFY(app->InitInstance(how == "start" ? path : QString(), root.filePath("sample")));
                QCoreApplication::processEvents();  // the start's own listing, posted
            }
            window = app->mainWindow();
        } else {
            if (how.contains("writable")) {
                QDir(settingsFolder).removeRecursively();
                writeFile(root, "settings", "");
                QVERIFY(QFile::rename(root.filePath("settings"), settingsFolder));
            }
            chosen = openWindow(root);
            window = chosen.get();
            // The chooser starts in the data folder and shows the folders and the card files alone; either file
            // picks its folder.
            then([&](QWidget* modal) {
                auto* chooser = qobject_cast<QFileDialog*>(modal);
                const auto closeAnyway = qScopeGuard([modal] { if (modal->isVisible()) closeModal(modal); });  // a failed check too
                QCOMPARE(chooser->directory(), QDir(root.path()));
                chooser->setDirectory(path);
                const auto* files = chooser->findChild<QAbstractItemView*>("listView");
                const auto shown = [files] { QStringList names; for (int row = 0; row < files->model()->rowCount(files->rootIndex()); ++row) names << files->model()->index(row, 0, files->rootIndex()).data().toString(); return names.join(' '); };
                QTRY_COMPARE(shown(), folder == "runnerOnly" ? "sub runner.txt" : "sub corp.txt runner.txt");
                auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
                QTest::keyClicks(name, "runner.txt");
                QTest::keyClick(name, Qt::Key_Return);
            });
            if (folder == "runnerOnly")
                then(acceptMessage(messages));
            window->OnOpenDataFolder();
        }
        QTRY_COMPARE(cardNames(*window), cards);
        QCOMPARE(window->findChild<QLabel*>("statusText")->text(), QDir::toNativeSeparators(status.replace("%1", root.path())));
        if (cards == "S1 S2") {
            // While the sample cards serve, the chooser starts where the program was started; their folder is never stored.
            then([](QWidget* chooser) { closeModal(chooser); QCOMPARE(qobject_cast<QFileDialog*>(chooser)->directory(), QDir::current()); });
            window->OnOpenDataFolder();
            window->close();
            QCOMPARE(ProfileStore().getProfileString("data", "folder"), QString());
        }
        if (how.contains("writable")) {
            const bool fixed = how == "writable again";
            if (fixed)
                QFile::remove(settingsFolder);
            else
                then(acceptMessage(messages));
            window->close();
            QFile::remove(settingsFolder);
            QCOMPARE(messages, fixed ? QStringList() : QStringList{"Voxtarn card list finder | 設定を保存できない\n" + QDir::toNativeSeparators(settingsFile())});
            QCOMPARE(ProfileStore().getProfileString("data", "folder"), fixed ? path : QString());
        }
    }

    // What the program takes from the arguments the application object left, and before it (help and version, without
    // a window system): one dash and a word is one option, as Qt's own are. Help and version: the tests beside this one.
    void startOptions()
    {
        QStringList taken;  // help, version, DIR, font, error (in the language of Qt's texts)
        for (const QStringList& arguments : {QStringList{"--version", "data"}, {"-reverse", "data"}, {"data", "-stylesheet", "dark.qss"},
                                             {"-font", "Sans", "data"}}) {
            const StartOptions o = StartOptions::parse(QStringList{"voxtarn"} + arguments);
            taken << QString("%1 %2 %3 %4 %5").arg(o.help).arg(o.version).arg(o.dataFolder, o.font, o.error.isEmpty() ? "" : "error");
        }
        // -reverse and -stylesheet, Qt's own, come before a window exists.
        QCOMPARE(taken, (QStringList{"0 1 data  ", "0 0   error", "0 0   error", "0 0 data Sans "}));
    }

    // A stored rectangle is used when its top can be grabbed on a screen, no larger than the screen; otherwise the
    // window takes the default placement. w, h: the screen's available size.
    void storedRectangle_data()
    {
        const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
        const int w = area.width(), h = area.height();
        QTest::addColumn<QList<int>>("edges");  // left, top, right, bottom; fewer: the rest absent
        QTest::addColumn<QRect>("frame");       // null: the default placement
        QTest::addRow("whole") << QList<int>{40, 30, 440, 330} << QRect(40, 30, 400, 300);
        QTest::addRow("as wide as the screen") << QList<int>{0, 0, w, 300} << QRect(0, 0, w, 300);
        QTest::addRow("one wider") << QList<int>{0, 0, w + 1, 300} << QRect(0, 0, w, 300);
        QTest::addRow("partly off the left") << QList<int>{-200, 10, 200, 300} << QRect(-200, 10, 400, 290);
        QTest::addRow("right of the screen") << QList<int>{w + 100, 0, w + 500, 300} << QRect();
        QTest::addRow("no width") << QList<int>{100, 100, 100, 300} << QRect();
        QTest::addRow("100000 square") << QList<int>{0, 0, 100000, 100000} << QRect(0, 0, w, h);
        QTest::addRow("32-bit wide") << QList<int>{INT_MIN, 0, INT_MAX, 300} << QRect(0, 0, w, 300);
        QTest::addRow("30x20 on the screen") << QList<int>{w - 30, h - 20, w + 370, h + 280} << QRect();
        QTest::addRow("100 wide on the screen") << QList<int>{w - 100, 0, w + 300, 300} << QRect(w - 100, 0, 400, 300);
        QTest::addRow("99 wide on the screen") << QList<int>{w - 99, 0, w + 301, 300} << QRect();
        QTest::addRow("50 high on the screen") << QList<int>{0, h - 50, 400, h + 250} << QRect(0, h - 50, 400, 300);
        QTest::addRow("49 high on the screen") << QList<int>{0, h - 49, 400, h + 251} << QRect();
        QTest::addRow("top above the screen") << QList<int>{0, -1, 400, 299} << QRect();
    }

    void storedRectangle()
    {
        QFETCH(QList<int>, edges);
        QFETCH(QRect, frame);
        const QByteArrayList keys = {"left", "top", "right", "bottom"};
        QByteArray stored = "[rect]\n";
        for (int i = 0; i < edges.size(); ++i)
            stored += keys[i] + "=" + QByteArray::number(edges[i]) + "\n";
        writeSettings(stored);
        QTemporaryDir data;
        const QRect shown = openWindow(data)->frameGeometry();
        QFile::remove(settingsFile());
        const QSize byDefault = openWindow(data)->frameGeometry().size();
        // The offscreen platform may shift a window that starts off the screen by its frame width; the size tells
        // whether it was used.
        QCOMPARE(shown.size(), frame.isNull() ? byDefault : frame.size());
        QVERIFY(frame.isNull() || (shown.topLeft() - frame.topLeft()).manhattanLength() <= 4);
    }

    void closingSavesTheSettings()
    {
        writeSettings("[search]\nkey=\"ｱｲｽ, \\\"壁\\\"\"\ntype=1\nmode=2\nfold=1\n[data]\nfolder=kept\n");  // a name with a comma and quotes
        QTemporaryDir data;
        auto window = openWindow(data);
        window->move(60, 70);  // a top-level window moves by its frame
        window->resize(420, 310);
        QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(60, 70));
        const QRect f = window->frameGeometry();
        const QString saved = QString("%1,%2,%3,%4 ").arg(f.left()).arg(f.top()).arg(f.right() + 1).arg(f.bottom() + 1) + "ｱｲｽ, \"壁\"121";
        // Exit posts the close: the window is still open when the command returns.
        window->commandAction(101)->trigger();
        QVERIFY(window->isVisible());
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(stored(), saved);
        QCOMPARE(ProfileStore().getProfileString("data", "folder"), "kept");  // the data folder stays
        // The end of the session writes too, and the window stays; a minimised window keeps the stored rectangle.
        auto second = openWindow(data);
        QFile::remove(settingsFile());
        QVERIFY(second->OnQueryEndSession() && second->isVisible());
        QCOMPARE(stored(), saved);
        second->move(100, 120);
        second->showMinimized();
        QTRY_VERIFY(second->isMinimized());
        second->close();
        QCOMPARE(stored(), saved);
    }

    // Cards go in from the list by its keys and context menu, counts change in the panel by its keys and by a number
    // typed over 枚数; each change undone and redone by the window's keys, the menu naming it.
    void deckKeysAndUndo()
    {
        QTemporaryDir data;
        writeCards(data, {"黒曜の城門", "灰色の取引"}, {"ハンマー"});
        auto window = openWindow(data);
        window->OnListAll();
        CardListBox* list = window->listBox();
        DeckTable* table = window->deck()->panel().table();
        const QAction* undo = window->deck()->menu().action("deckUndo");
        QVERIFY(!window->deck()->panel().isVisible());
        // The deck menu's items: the letter before the dots, keys that do not clash with Ctrl+O (the data folder).
        const std::tuple<const char*, QString, QString> items[] = {
            {"deckNew", "新規(&N)", "Ctrl+N"}, {"deckOpen", "開く(&O)...", "Ctrl+Shift+O"}, {"deckSave", "保存(&S)", "Ctrl+S"},
            {"deckSaveAs", "名前を付けて保存(&A)...", "Ctrl+Shift+S"}, {"deckRedo", "やり直し", "Ctrl+Y"},
        };
        for (const auto& [name, text, keys] : items) {
            QCOMPARE(window->deck()->menu().action(name)->text(), text);
            QCOMPARE(window->deck()->menu().action(name)->shortcut().toString(QKeySequence::PortableText), keys);
        }
        const struct {
            QAbstractItemView* where;
            QString card;
            QList<QKeySequence> keys;
            QString deck;
            QString undoText;
        } steps[] = {
            {list, "黒曜の城門", {Qt::Key_Insert}, "[Corporate]\n1 黒曜の城門\n", "元に戻す: 黒曜の城門 +1"},
            {list, "黒曜の城門", {Qt::Key_Plus, Qt::KeypadModifier | Qt::Key_Plus}, "[Corporate]\n3 黒曜の城門\n", ""},
            {list, "ハンマー", {Qt::Key_Insert}, "[Corporate]\n3 黒曜の城門\n[Runner]\n1 ハンマー\n", "元に戻す: ハンマー +1"},
            {list, "灰色の取引", {}, "[Corporate]\n3 黒曜の城門\n1 灰色の取引\n[Runner]\n1 ハンマー\n", ""},  // context menu
            {list, "", {QKeySequence::Undo}, "[Corporate]\n3 黒曜の城門\n[Runner]\n1 ハンマー\n", "元に戻す: ハンマー +1"},
            {list, "", {QKeySequence("Ctrl+Y")}, "[Corporate]\n3 黒曜の城門\n1 灰色の取引\n[Runner]\n1 ハンマー\n", ""},
            {table, "黒曜の城門", {Qt::Key_Minus}, "[Corporate]\n2 黒曜の城門\n1 灰色の取引\n[Runner]\n1 ハンマー\n",
             "元に戻す: 黒曜の城門 -1"},
            {table, "灰色の取引", {Qt::Key_Minus}, "[Corporate]\n2 黒曜の城門\n[Runner]\n1 ハンマー\n", "元に戻す: 灰色の取引 を外す"},
            {table, "ハンマー", {Qt::Key_Delete}, "[Corporate]\n2 黒曜の城門\n[Runner]\n", "元に戻す: ハンマー を外す"},
            {table, "黒曜の城門", {Qt::Key_1, Qt::Key_2, Qt::Key_Return}, "[Corporate]\n12 黒曜の城門\n[Runner]\n",
             "元に戻す: 黒曜の城門 12枚"},
            {table, "黒曜の城門", {Qt::Key_1, Qt::Key_0, Qt::Key_0, Qt::Key_Return}, "[Corporate]\n12 黒曜の城門\n[Runner]\n", ""},
            {table, "黒曜の城門", {Qt::Key_0, Qt::Key_Enter}, "[Corporate]\n12 黒曜の城門\n[Runner]\n", ""},
            {table, "", {QKeySequence::Undo}, "[Corporate]\n2 黒曜の城門\n[Runner]\n", "元に戻す: ハンマー を外す"},
        };
        for (const auto& step : steps) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            step.where->setFocus();
            if (!step.card.isEmpty())
                selectLine(step.where, step.where == list ? 1 : DeckModel::Name, step.card);
            if (step.keys.isEmpty())
                list->findChild<QAction*>("addToDeck")->trigger();
            for (const QKeySequence& key : step.keys)
                QTest::keySequence(QApplication::focusWidget(), key);
            QTRY_COMPARE(QApplication::focusWidget(), step.where);  // a typed count is taken as its editor closes
            QTRY_COMPARE(deckText(*window), step.deck);
            if (!step.undoText.isEmpty())
                QCOMPARE(undo->text(), step.undoText);
        }
        QVERIFY(window->deck()->panel().isVisible());
        QCOMPARE(window->deck()->panel().windowTitle(), "デッキ: 無題 *");
        QCOMPARE(window->findChild<QLabel*>("deckTotals")->text(), "Corporate 2枚・Runner 0枚");
        QCOMPARE(window->findChild<QLabel*>("deckTypes")->text(), "Corporate: Ice 2");
        // Enter in the panel opens the card's details, not those of the list's line.
        QString seen;
        then([&](QWidget* dialog) {
            seen = childText(dialog, "id111");
            closeModal(dialog);
        });
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(seen, "黒曜の城門");
        QCOMPARE(list->findChild<QAction*>("addToDeck")->text(), "デッキに入れる");
        // A save that fails on a full disk names the file, writes nothing and leaves the deck unsaved.
        QString failed;
        const QString full = data.filePath("full.txt");
        if (whileDiskIsFull([&] { failed = window->deck()->document().saveAs(full); })) {
            QVERIFY2(failed.startsWith("デッキを保存できない: ") && failed.endsWith("\n" + QDir::toNativeSeparators(full)),
                     qPrintable(failed));
            QVERIFY(!QFile::exists(full));
            QCOMPARE(window->deck()->panel().windowTitle(), "デッキ: 無題 *");
        }
        window->deck()->document().clear();  // no question at the end
    }

    // Closing, 新規, 開く, a recent deck and 貼り付け ask before unsaved changes go; キャンセル keeps everything.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("deck");  // afterwards; "closed" when the window closed
        const QString kept = "[Corporate]\n1 A\n";
        for (const char* command : {"close", "deckNew", "deckOpen", "recent", "deckPaste"})
            QTest::addRow("%s, cancel", command) << command << "cancel" << kept;
        QTest::addRow("close, discard") << "close" << "discard" << "closed";
        QTest::addRow("new, discard") << "deckNew" << "discard" << "";
        QTest::addRow("paste, discard") << "deckPaste" << "discard" << "[Runner]\n2 R\n";
        QTest::addRow("recent, discard") << "recent" << "discard" << "[Runner]\n2 R\n";
        QTest::addRow("new, save") << "deckNew" << "save" << "";
        QTest::addRow("close, save") << "close" << "save" << "closed";
    }

    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, command);
        QFETCH(QString, button);
        QFETCH(QString, deck);
        QTemporaryDir data;
        writeCards(data, {"A"}, {"R"});
        writeFile(data, "old.txt", "[Runner]\n2 R\n");
        auto window = openWindow(data);
        window->deck()->menu().openFile(data.filePath("old.txt"));
        window->deck()->document().clear();
        window->OnListCorp();
        window->deck()->addSelectedCard();
        QApplication::clipboard()->setText("[Runner]\n2 R\n");
        QStringList asked;
        then(answer(button, asked));
        if (button == "save")
            then(chooseFile(data.filePath("saved.txt")));
        if (command == "close")
            window->close();
        else if (command == "recent")
            window->deck()->menu().menu()->findChild<QMenu*>("deckRecent")->actions().value(0)->trigger();
        else
            window->deck()->menu().action(command.toLatin1())->trigger();
        QCOMPARE(asked, QStringList{"deckSaveQuestion | デッキの変更を保存しますか"});
        QCOMPARE(window->isVisible() ? deckText(*window) : "closed", deck);
        if (window->isVisible())
            QCOMPARE(window->deck()->document().isModified(), button == "cancel" || command == "deckPaste");
        if (button == "save") {
            QFile saved(data.filePath("saved.txt"));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), QByteArray("[Corporate]\n1 A\n"));
        }
        window->deck()->document().clear();
    }

    // Saved through the dialog, the deck is the same bytes and comes back at the next start; a deck is never saved
    // over a card file, a file that is no deck changes nothing; the names are found again in another data folder.
    void deckFilesAndTheNextStart()
    {
        QTemporaryDir data, other;
        writeCards(data, {"黒曜の城門"}, {"ハンマー"});
        writeCards(other, {"別のカード"}, {"ハンマー"});
        const std::string hand = *toCp932("# 速攻\r\n黒曜の城門 ×2\r\nなぞの札\r\n[ランナー]\r\nはんまー\r\n");
        writeFile(data, "hand.txt", hand);
        writeFile(data, "binary.txt", std::string("1 A\n\0", 5));
        const QByteArray corpBefore = [&] { QFile f(data.filePath("corp.txt")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        const QString written = "# 速攻\n2 黒曜の城門\nなぞの札\n[ランナー]\n1 ハンマー\n";
        {
            auto window = openWindow(data);
            QVERIFY(window->deck()->menu().openFile(data.filePath("hand.txt")));
            QCOMPARE(window->findChild<QLabel*>("statusText")->text(), "デッキ: 1行はデータにない、1行はかなと全角半角を区別せずに見つけた");
            QCOMPARE(deckText(*window), written);
            QStringList messages;
            then(chooseFile(data.filePath("corp.txt"))).then([](QWidget* replace) {
                qobject_cast<QMessageBox*>(replace)->button(QMessageBox::Yes)->click();
            }).then(acceptMessage(messages));
            window->deck()->menu().action("deckSaveAs")->trigger();
            then(acceptMessage(messages)).then(acceptMessage(messages));
            for (const char* refused : {"", "binary.txt"})
                QVERIFY(!window->deck()->menu().openFile(data.filePath(refused)));
            const QString path = QDir::toNativeSeparators(data.path());
            QCOMPARE(messages, QStringList({"Voxtarn card list finder | カードのデータファイルにはデッキを保存しない\n" +
                                                QDir::toNativeSeparators(data.filePath("corp.txt")),
                                            "Voxtarn card list finder | フォルダはデッキファイルではない\n" + path,
                                            "Voxtarn card list finder | NULバイトを含むファイルはデッキファイルではない\n" +
                                                QDir::toNativeSeparators(data.filePath("binary.txt"))}));
            then(chooseFile(data.filePath("速攻.txt")));
            window->deck()->menu().action("deckSaveAs")->trigger();
            QCOMPARE(window->deck()->panel().windowTitle(), "デッキ: 速攻.txt");
            window->deck()->menu().copyText();
            QCOMPARE(QApplication::clipboard()->text(), written);
            window->close();
        }
        QFile saved(data.filePath("速攻.txt")), corp(data.filePath("corp.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && corp.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), written);
        QCOMPARE(corp.readAll(), corpBefore);
        auto window = openWindow(data);
        QCOMPARE(deckText(*window), written);
        QVERIFY(window->deck()->panel().isVisible());
        QCOMPARE(window->deck()->panel().windowTitle(), "デッキ: 速攻.txt");
        QCOMPARE(window->deck()->menu().menu()->findChild<QMenu*>("deckRecent")->actions().size(), 2);
        window->openDataFolder(other.path());
        QCOMPARE(window->deck()->document().deck().notFoundCount(), 2u);
        QCOMPARE(window->deck()->panel().model()->totalsText(), "Corporate 0枚・Runner 1枚");
        window->deck()->document().clear();
    }

    // A settings file that cannot be read is replaced on closing, which is said on standard error and is no failed
    // write: no message box.
    void unreadableSettingsAreReplaced_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::addRow("a word") << QByteArray("junk\n");
        QByteArray bytes;
        for (int i = 0; i < 600; ++i)
            bytes += char((i * 7919 + 13) % 251 + 1);
        QTest::addRow("bytes") << bytes;
    }

    void unreadableSettingsAreReplaced()
    {
        QFETCH(QByteArray, garbage);
        writeSettings(garbage);
        QTemporaryDir data;
        auto window = openWindow(data);
        window->findChild<QStatusBar*>()->hide();
        QTest::ignoreMessage(QtWarningMsg, qPrintable("the settings file " + settingsFile() + " could not be read; it was written anew"));
        window->close();
        QCOMPARE(ProfileStore().getProfileInt("view", "statusbar", -1), 0);
    }

    // A full disk must leave the old settings file as it was, never empty or cut short. Last: the failed values stay
    // pending in Qt's shared cache.
    void failedWriteKeepsTheEarlierFile()
    {
        writeSettings("[search]\nkey=earlier\nmode=2\n");
        const auto contents = [] {
            QFile file(settingsFile());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = contents();
        const bool filled = whileDiskIsFull([] {
            ProfileStore store;
            store.writeProfileString("search", "key", "a much longer replacement text");
            store.writeProfileInt("search", "mode", 1);
            QVERIFY(!store.flush());
        });  // the store retries when destroyed: still under the limit
        if (!filled)
            QSKIP("no way to fill the disk here");
        QCOMPARE(contents(), before);
    }
};

VOXTARN_GUI_TEST_MAIN(CMyApp, MainWindowTest)
#include "tst_mainwindow.moc"
