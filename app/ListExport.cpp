// SPDX-License-Identifier: MIT
#include "ListExport.h"

#include "CardLayout.h"
#include "CardListBox.h"
#include "CardLister.h"
#include "Cp932Text.h"
#include "CsvWriter.h"
#include "ExportFile.h"
#include "MessageBox.h"
#include "PrintJob.h"
#include "SortedCardLines.h"

#include <QAction>
#include <QIODevice>
#include <QMenu>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

const QString kFileName = QStringLiteral("カードリスト");
constexpr std::size_t kCsvChunk = 1 << 20;  // bytes gathered between two writes

}  // namespace

ListExport::ListExport(QWidget& window, const CardListBox& list, const card::CardLister& lister,
                       std::function<QString()> title)
    : QObject(&window), window_(window), list_(list), lister_(lister), title_(std::move(title))
{
}

QAction* ListExport::addAction(QMenu& menu, QAction* before, const QString& text, const char* objectName)
{
    auto* action = new QAction(text, &menu);
    action->setObjectName(QString::fromLatin1(objectName));
    menu.insertAction(before, action);
    window_.addAction(action);
    return action;
}

void ListExport::addToMenu(QMenu& menu, QAction* before)
{
    connect(addAction(menu, before, QStringLiteral("CSVで書き出す...(&E)"), "listCsv"), &QAction::triggered, this,
            &ListExport::exportCsv);
    QAction* print = addAction(menu, before, QStringLiteral("印刷...(&P)"), "listPrint");
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &ListExport::print);
    connect(addAction(menu, before, QStringLiteral("PDFに書き出す...(&F)"), "listPdf"), &QAction::triggered, this,
            &ListExport::exportPdf);
    menu.insertSeparator(before);
}

QString ListExport::writeCsv(const QString& path) const
{
    return ExportFile::save(path, QStringLiteral("CSV"), [this](QIODevice& file) {
        const SortedCardLines& shown = *list_.lines();
        card::CsvWriter csv;
        std::string bytes = card::CsvWriter::cardHeader();
        for (int row = 0; row < shown.rowCount(); ++row) {
            csv.appendCard(bytes, lister_.cards()[std::size_t(shown.sourceRow(row))]);
            if (bytes.size() >= kCsvChunk) {
                if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
                    return false;
                bytes.clear();
            }
        }
        return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    });
}

PrintTable ListExport::table() const
{
    PrintTable table;
    table.title = title_();
    for (const card::ListColumn& column : card::kListColumns)
        table.columns << QString::fromUtf8(column.label.data(), qsizetype(column.label.size()));
    table.shares = {10, 30, 24, 22, 14};
    // The cards the list shows when printing starts: a filter that ends
    // meanwhile changes the list, not the pages. The store stays, as the
    // progress and print dialogs keep the reading commands out.
    const SortedCardLines& shown = *list_.lines();
    auto cardsShown = std::make_shared<std::vector<std::uint32_t>>();
    cardsShown->reserve(std::size_t(shown.rowCount()));
    for (int row = 0; row < shown.rowCount(); ++row)
        cardsShown->push_back(std::uint32_t(shown.sourceRow(row)));
    table.rowCount = int(cardsShown->size());
    table.row = [cardsShown, &cards = lister_.cards()](int row) {
        const card::CardView card = cards[(*cardsShown)[std::size_t(row)]];
        PrintRow line;
        for (const card::ListColumn& column : card::kListColumns)
            line.cells << fromCp932(card.field(column.field));
        return line;
    };
    return table;
}

QString ListExport::writePdf(const QString& path)
{
    return PrintJob(window_, table()).writePdf(path);
}

void ListExport::exportCsv()
{
    const QString path = ExportFile::choose(window_, QStringLiteral("CSV"), kFileName, lister_.dataDir());
    if (path.isEmpty())
        return;
    if (const QString failed = writeCsv(path); !failed.isEmpty())
        showMessageBox(&window_, failed);
}

void ListExport::print()
{
    PrintJob(window_, table()).preview();
}

void ListExport::exportPdf()
{
    const QString path = ExportFile::choose(window_, QStringLiteral("PDF"), kFileName, lister_.dataDir());
    if (path.isEmpty())
        return;
    if (const QString failed = writePdf(path); !failed.isEmpty())
        showMessageBox(&window_, failed);
}
