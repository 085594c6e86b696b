// SPDX-License-Identifier: MIT
#include "ListExport.h"

#include "CardLayout.h"
#include "CardListBox.h"
#include "CardLister.h"
#include "Cp932Text.h"
#include "CsvWriter.h"
#include "ExportFile.h"
#include "FilterBar.h"
#include "ListFilter.h"
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
                       const ListFilter& filter, std::function<QString()> listText)
    : TableExport(window), list_(list), lister_(lister), filter_(filter), listText_(std::move(listText))
{
}

void ListExport::addToMenu(QMenu& menu, QAction* before)
{
    QAction* print = addItems(menu, before, {QStringLiteral("CSVで書き出す...(&E)"), QStringLiteral("印刷...(&P)"),
                                             QStringLiteral("PDFに書き出す...(&F)")},
                              QStringLiteral("list"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    window_.addAction(print);
    menu.insertSeparator(before);
}

QString ListExport::fileName() const
{
    return kFileName;
}

std::filesystem::path ListExport::dataDir() const
{
    return lister_.dataDir();
}

// The filter's words that made the pages, unless the text names them.
QString ListExport::title() const
{
    const QString status = listText_();
    if (status.isEmpty())
        return kFileName;
    const QString words = filter_.bar()->text().trimmed();
    return words.isEmpty() || status.contains(words) ? status : status + QStringLiteral(" (") + words + u')';
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
    table.title = title();
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
