// SPDX-License-Identifier: MIT
// The list and the deck leaving the window: CSV byte for byte as voxtarn-find writes it, PDF pages read back with
// pdftotext, the preview's pages, a failed write that keeps the earlier file.
#include "CMainWindow.h"
#include "CMyApp.h"
#include "FilterBoxWorker.h"
#include "CardListBox.h"
#include "DeckDocument.h"
#include "DeckExport.h"
#include "DeckParts.h"
#include "FilterBar.h"
#include "GuiTest.h"
#include "ListExport.h"
#include "MainMenu.h"
#include "DeckMenu.h"

#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

namespace {

std::unique_ptr<CMainWindow> openWindow(const QString& data)
{
    auto window = std::make_unique<CMainWindow>(QFile::encodeName(data).toStdString());
    window->show();
    return window;
}

QByteArray output(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

QByteArray slurp(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The PDF's text a page an entry, without the line breaks that wrapping made.
QStringList pdfPages(const QString& pdf)
{
    QStringList pages = QString::fromUtf8(output("pdftotext", {pdf, "-"})).split(u'\f');
    pages.removeLast();  // after the last page's form feed
    for (QString& page : pages)
        page.remove(QRegularExpression("\\s"));
    return pages;
}

QStringList shownNames(const CardListBox& list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << list.lines()->index(row, 1).data().toString().remove(QRegularExpression("\\s"));
    return names;
}

void filter(CMainWindow& window, const QString& text)
{
    QSignalSpy finished(window.findChild<FilterBoxWorker*>(), &FilterBoxWorker::finished);
    window.filterBar()->setText(text);
    QVERIFY(text.isEmpty() || !finished.isEmpty() || finished.wait(5000));
}

}  // namespace

class ExportTest : public GuiTest {
    Q_OBJECT
private slots:
    void init()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void listCsvEqualsTheFindersAndPdfHoldsTheShownLines_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("finderArgs");
        QTest::addColumn<QString>("title");
        QTest::newRow("all") << "" << QStringList{"list", "all"} << "全カード 62枚";
        QTest::newRow("ice") << "t:アイス" << QStringList{"filter", "t:アイス"} << "全カード 62枚のうち 11枚 (t:アイス)";
        QTest::newRow("nothing") << "n:そんな名前はない" << QStringList{"filter", "n:そんな名前はない"}
                                 << "全カード 62枚のうち 0枚 (n:そんな名前はない)";
    }
    void listCsvEqualsTheFindersAndPdfHoldsTheShownLines()
    {
        QFETCH(QString, words);
        QFETCH(QStringList, finderArgs);
        QFETCH(QString, title);
        auto window = openWindow(VOXTARN_SAMPLE_DATA);
        window->OnListAll();
        filter(*window, words);
        QTemporaryDir out;
        auto* list = window->findChild<ListExport*>();
        QCOMPARE(list->writeCsv(out.filePath("list.csv")), QString());
        QCOMPARE(slurp(out.filePath("list.csv")),
                 output(VOXTARN_FIND, QStringList{"-C", VOXTARN_SAMPLE_DATA} + finderArgs + QStringList{"--format", "csv"}));
        QCOMPARE(list->writePdf(out.filePath("list.pdf")), QString());
        const QStringList pages = pdfPages(out.filePath("list.pdf"));
        QCOMPARE(pages.size(), words.isEmpty() ? 2 : 1);
        QVERIFY2(pages[0].startsWith(title.remove(u' ')), qPrintable(pages[0].left(80)));
        for (const QString& name : shownNames(*window->listBox()))
            QVERIFY2(pages.join(' ').count(name) >= 1, qPrintable(name));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary file left
    }

    // A page a group of whole rows: the header and "k / 3" on each, a wrapped row whole on one.
    void aLongListMakesThreePagesInPdfAndPreview()
    {
        QTemporaryDir data;
        const QString longName = "始まりの" + QString("長い名前はカラムの中で折り返される").repeated(4) + "終わりの札";
        std::string corp;
        for (int i = 0; i < 110; ++i)
            corp += record(QStringLiteral("札%1").arg(i, 3, 10, QChar('0'))) + (i == 40 ? record(longName) : "");
        writeFile(data, "corp.txt", corp);
        writeFile(data, "runner.txt", "");
        auto window = openWindow(data.path());
        window->OnListAll();
        auto* list = window->findChild<ListExport*>();
        QCOMPARE(list->writePdf(data.filePath("list.pdf")), QString());
        const QStringList pages = pdfPages(data.filePath("list.pdf"));
        QCOMPARE(pages.size(), 3);
        for (int page = 0; page < 3; ++page) {
            QVERIFY(pages[page].contains("入手頻度") && pages[page].contains("カード名"));
            QVERIFY(pages[page].contains(QStringLiteral("%1/3").arg(page + 1)));
        }
        for (int i = 0; i < 110; ++i)
            QCOMPARE(pages.join(' ').count(QStringLiteral("札%1").arg(i, 3, 10, QChar('0'))), 1);
        const auto whole = [](const QString& page) { return page.contains("始まりの") && page.contains("終わりの札"); };
        QVERIFY(whole(pages[0]) != whole(pages[1]));

        int previewPages = -1;
        then([&previewPages](QWidget* modal) {
            previewPages = modal->findChild<QPrintPreviewWidget*>()->pageCount();
            closeModal(modal);
        });
        list->print();
        QCOMPARE(previewPages, 3);
    }

    // Over 500 pages: told how many and asked; declined, nothing is written.
    void manyPagesAreAskedForFirst()
    {
        QTemporaryDir data;
        std::string corp;
        for (int i = 0; i < 30000; ++i)
            corp += record(QStringLiteral("札%1").arg(i));
        writeFile(data, "corp.txt", corp);
        writeFile(data, "runner.txt", "");
        auto window = openWindow(data.path());
        window->OnListAll();
        QString question;
        then([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box ? box->text() : modal->metaObject()->className();
            closeModal(modal);
        });
        QCOMPARE(window->findChild<ListExport*>()->writePdf(data.filePath("list.pdf")), QString());
        QVERIFY2(QRegularExpression("^[5-9][0-9]{2}ページになります。ページを作りますか\\?$").match(question).hasMatch(),
                 qPrintable(question));
        QVERIFY(!QFile::exists(data.filePath("list.pdf")));
    }

    // 40 cards grouped by side with totals and type counts; the CSV as voxtarn-find deck writes it.
    void aDeckPrintsAsAChecklistBySide()
    {
        auto window = openWindow(VOXTARN_SAMPLE_DATA);
        window->OnListAll();
        QString text = "# 大会用\n[Corporate]\n";
        const auto& cards = window->lister().cards();
        for (std::size_t i = 0; i < 10; ++i)
            text += "2 " + fromCp932(cards[i].name) + '\n';
        text += "[Runner]\n";
        for (std::size_t i = 31; i < 41; ++i)
            text += "2 " + fromCp932(cards[i].name) + '\n';
        text += "3 どこにもない札\n";
        QTemporaryDir out;
        QFile deckFile(out.filePath("大会.txt"));
        QVERIFY(deckFile.open(QIODevice::WriteOnly) && deckFile.write(text.toUtf8()) > 0);
        deckFile.close();
        QCOMPARE(window->deck()->document().open(deckFile.fileName()), QString());
        auto* deck = window->findChild<DeckExport*>();
        QCOMPARE(deck->writeCsv(out.filePath("deck.csv")), QString());
        QCOMPARE(slurp(out.filePath("deck.csv")),
                 output(VOXTARN_FIND, {"-C", VOXTARN_SAMPLE_DATA, "deck", deckFile.fileName(), "--format", "csv"}));
        QCOMPARE(deck->writePdf(out.filePath("deck.pdf")), QString());
        const QStringList pages = pdfPages(out.filePath("deck.pdf"));
        QCOMPARE(pages.size(), 1);
        const QString page = pages[0];
        QVERIFY2(page.startsWith("デッキ:大会大会用"), qPrintable(page.left(40)));
        QVERIFY(page.indexOf("Corporate20枚") < page.indexOf("Corporate:") &&
                page.indexOf("Corporate:") < page.indexOf("Runner20枚") && page.contains("Runner:"));
        QVERIFY(page.contains("どこにもない札") && page.contains("1/1"));
        for (const QString& name : text.split('\n').filter(QRegularExpression("^2 ")))
            QVERIFY2(page.contains(name.mid(2).remove(' ')), qPrintable(name));
    }

    // The items stand in ファイル before 終了 and at the end of デッキ, Ctrl+P printing the list; each asks for its file,
    // offering the list's or the deck's name, and writes it.
    void exportItemsInTheMenus()
    {
        auto window = openWindow(VOXTARN_SAMPLE_DATA);
        window->OnListAll();
        QStringList seen;
        for (QMenu* menu : {qobject_cast<QMenu*>(window->commandAction(ID_EXIT)->parent()), window->deck()->menu().menu()}) {
            for (const QAction* item : menu->actions())
                seen << item->objectName() + ' ' + item->text() + ' ' + item->shortcut().toString();
        }
        QTemporaryDir out;
        for (const char* name : {"listPdf", "deckCsv"}) {
            then([&](QWidget* chooser) {
                auto* file = chooser->findChild<QLineEdit*>("fileNameEdit");
                seen << file->text();
                file->setText(out.filePath(name));
                static_cast<QDialog*>(chooser)->accept();
            });
            window->findChild<QAction*>(name)->trigger();
            seen << QString::fromUtf8(slurp(out.filePath(name))).remove(QChar(0xFEFF)).left(4);
        }
        QCOMPARE(seen.mid(seen.indexOf("command101 終了(&X) ") - 5, 6).join('|'),
                 "  |listCsv CSVで書き出す...(&E) |listPrint 印刷...(&P) Ctrl+P|listPdf PDFに書き出す...(&F) |  |command101 終了(&X) ");
        QCOMPARE(seen.mid(seen.size() - 8).join('|'), "  |deckCsv CSVで書き出す...(&V) |deckPrint 印刷...(&I) |deckPdf PDFに書き出す...(&F) "
                                                       "|カードリスト.pdf|%PDF|無題.csv|枚数,サ");
    }

    // The earlier file stays whole, and the message names the file and why.
    void aFailedExportKeepsTheEarlierFile()
    {
        auto window = openWindow(VOXTARN_SAMPLE_DATA);
        window->OnListAll();
        auto* list = window->findChild<ListExport*>();
        QTemporaryDir out;
        writeFile(out, "list.csv", "earlier");
        QString failed;
        if (!whileDiskIsFull([&] { failed = list->writeCsv(out.filePath("list.csv")); }))
            QSKIP("no full disk to be had here");
        QVERIFY2(failed.startsWith("CSVを書き出せない: ") && failed.endsWith(QDir::toNativeSeparators(out.filePath("list.csv"))),
                 qPrintable(failed));
        QCOMPARE(slurp(out.filePath("list.csv")), QByteArray("earlier"));
        writeFile(out, "list.pdf", "earlier");
        if (whileDiskIsFull([&] { failed = list->writePdf(out.filePath("list.pdf")); }))
            QVERIFY2(failed.startsWith("PDFを書き出せない: 書き込みに失敗した"), qPrintable(failed));
        QCOMPARE(slurp(out.filePath("list.pdf")), QByteArray("earlier"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QVERIFY(list->writePdf(out.filePath("no/such/folder/list.pdf")).startsWith("PDFを書き出せない: "));
    }
};

VOXTARN_GUI_TEST_MAIN(CMyApp, ExportTest)
#include "tst_export.moc"
