// SPDX-License-Identifier: MIT
#pragma once

#include "PrintTable.h"

#include <QObject>

#include <functional>

namespace card {
class CardLister;
}
class CardListBox;
class QAction;
class QMenu;
class QWidget;

// The card list out of the window: ファイル → CSVで書き出す..., 印刷...
// (Ctrl+P, through the print preview) and PDFに書き出す.... Each takes the
// lines the list shows now, in the order shown, filter and sort included.
class ListExport : public QObject {
    Q_OBJECT
public:
    // `title` gives the status bar's text about the list, the printed title.
    ListExport(QWidget& window, const CardListBox& list, const card::CardLister& lister, std::function<QString()> title);

    // Puts the three commands into `menu` before `before`.
    void addToMenu(QMenu& menu, QAction* before);

    // The shown lines as a CSV file at `path`; the reason it failed, or empty.
    QString writeCsv(const QString& path) const;
    // The shown lines as a PDF at `path`; the reason it failed, or empty.
    QString writePdf(const QString& path);
    // The page's table of the shown lines.
    PrintTable table() const;

    void exportCsv();
    void print();
    void exportPdf();

private:
    QAction* addAction(QMenu& menu, QAction* before, const QString& text, const char* objectName);

    QWidget& window_;
    const CardListBox& list_;
    const card::CardLister& lister_;
    std::function<QString()> title_;
};
