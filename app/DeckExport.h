// SPDX-License-Identifier: MIT
#pragma once

#include "TableExport.h"

class DeckDocument;

// The deck out of the window: デッキ → CSVで書き出す..., 印刷... and
// PDFに書き出す.... The printed deck is a checklist grouped by side, as the
// panel shows it, each side with its total and its type counts.
class DeckExport : public TableExport {
    Q_OBJECT
public:
    DeckExport(QWidget& window, DeckDocument& document);

    // Appends the three commands to the deck's menu.
    void addToMenu(QMenu& menu);

    QString writeCsv(const QString& path) const override;
    PrintTable table() const override;

private:
    // The deck's name for the title and the files: its file's, or 無題.
    QString fileName() const override;
    std::filesystem::path dataDir() const override;

    DeckDocument& document_;
};
