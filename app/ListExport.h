// SPDX-License-Identifier: MIT
#pragma once

#include "TableExport.h"

#include <functional>

namespace card {
class CardLister;
}
class CardListBox;
class ListFilter;

// The card list out of the window: ファイル → CSVで書き出す..., 印刷...
// (Ctrl+P) and PDFに書き出す.... Each takes the lines the list shows now,
// in the order shown, filter and sort included.
class ListExport : public TableExport {
    Q_OBJECT
public:
    // `listText` gives the status bar's text about the list without the
    // filter's notes, empty before the first list: the printed title, with
    // the filter's words when that text does not name them.
    ListExport(QWidget& window, const CardListBox& list, const card::CardLister& lister, const ListFilter& filter,
               std::function<QString()> listText);

    // Puts the three commands into `menu` before `before`.
    void addToMenu(QMenu& menu, QAction* before);

    QString writeCsv(const QString& path) const override;
    PrintTable table() const override;

private:
    QString fileName() const override;
    std::filesystem::path dataDir() const override;
    QString title() const;

    const CardListBox& list_;
    const card::CardLister& lister_;
    const ListFilter& filter_;
    std::function<QString()> listText_;
};
