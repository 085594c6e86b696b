// SPDX-License-Identifier: MIT
#include "DeckExport.h"

#include "CsvWriter.h"
#include "DeckDocument.h"
#include "DeckModel.h"
#include "ExportFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <QMenu>

#include <memory>

namespace {

// The deck's memo: its '#' lines without the mark.
QString memoText(const card::Deck& deck)
{
    QStringList memo;
    for (const card::DeckLine& line : deck.lines()) {
        if (line.kind == card::DeckLine::Kind::Memo)
            memo << QString::fromStdString(line.text).mid(1).trimmed();
    }
    return memo.join(u' ');
}

// The panel's rows: a side's heading, its cards, then its type counts.
std::vector<PrintRow> deckRows(const DeckModel& model)
{
    const QStringList typeCounts = model.typeCountTexts();
    std::vector<PrintRow> rows;
    int sidesDone = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString first = model.index(row, DeckModel::Count).data().toString();
        if (model.isGroupLine(row)) {
            if (!rows.empty() && model.isFoundCard(row - 1) && sidesDone < typeCounts.size())
                rows.push_back({PrintRow::Kind::Note, {typeCounts[sidesDone++]}});
            rows.push_back({PrintRow::Kind::Heading, {first}});
            continue;
        }
        PrintRow card;
        for (int column = 0; column < DeckModel::ColumnCount; ++column)
            card.cells << model.index(row, column).data().toString();
        rows.push_back(card);
    }
    if (!rows.empty() && model.isFoundCard(model.rowCount() - 1) && sidesDone < typeCounts.size())
        rows.push_back({PrintRow::Kind::Note, {typeCounts[sidesDone]}});
    return rows;
}

}  // namespace

DeckExport::DeckExport(QWidget& window, DeckDocument& document) : TableExport(window), document_(document)
{
}

void DeckExport::addToMenu(QMenu& menu)
{
    menu.addSeparator();
    addItems(menu, nullptr,
             {QStringLiteral("CSVで書き出す...(&V)"), QStringLiteral("印刷...(&I)"), QStringLiteral("PDFに書き出す...(&F)")},
             QStringLiteral("deck"));
}

QString DeckExport::fileName() const
{
    return document_.filePath().isEmpty() ? QStringLiteral("無題") : QFileInfo(document_.filePath()).completeBaseName();
}

std::filesystem::path DeckExport::dataDir() const
{
    return document_.dataDir();
}

QString DeckExport::writeCsv(const QString& path) const
{
    return ExportFile::save(path, QStringLiteral("CSV"), [this](QIODevice& file) {
        const std::string bytes = card::CsvWriter().deck(document_.deck());
        return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    });
}

PrintTable DeckExport::table() const
{
    PrintTable table;
    const QString memo = memoText(document_.deck());
    table.title = QStringLiteral("デッキ: ") + fileName() + (memo.isEmpty() ? QString() : QStringLiteral("  ") + memo);
    DeckModel model(document_, nullptr);
    for (int column = 0; column < DeckModel::ColumnCount; ++column)
        table.columns << model.headerData(column, Qt::Horizontal).toString();
    table.shares = {8, 44, 32, 16};
    auto rows = std::make_shared<std::vector<PrintRow>>(deckRows(model));
    table.rowCount = int(rows->size());
    table.row = [rows](int row) { return (*rows)[std::size_t(row)]; };
    return table;
}
