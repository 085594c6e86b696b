// SPDX-License-Identifier: MIT
#pragma once

#include "PrintTable.h"

#include <QObject>
#include <QString>

#include <filesystem>

class QAction;
class QMenu;
class QWidget;

// A table out of the window, as three commands: CSVで書き出す..., 印刷...
// (through the print preview) and PDFに書き出す.... What is written comes
// from the kind of table; the choosing of the file, the writing and the
// message when it failed are the same for each.
class TableExport : public QObject {
    Q_OBJECT
public:
    // The items' texts, with their mnemonics.
    struct Items {
        QString csv;
        QString print;
        QString pdf;
    };

    // The table as a CSV file at `path`; the reason it failed, or empty.
    virtual QString writeCsv(const QString& path) const = 0;
    // The table as a PDF at `path`; the reason it failed, or empty.
    QString writePdf(const QString& path);
    // The page's table.
    virtual PrintTable table() const = 0;

    void exportCsv();
    void print();
    void exportPdf();

protected:
    explicit TableExport(QWidget& window);

    // Puts the three commands into `menu` before `before` (at its end when
    // null), their object names `name` and "Csv", "Print", "Pdf"; returns
    // the print item.
    QAction* addItems(QMenu& menu, QAction* before, const Items& texts, const QString& name);

    // The file name the save dialog offers, and the folder of the cards,
    // which no export may overwrite.
    virtual QString fileName() const = 0;
    virtual std::filesystem::path dataDir() const = 0;

    QWidget& window_;

private:
    // The file the player chose for `what`, or empty.
    QString chooseFile(const QString& what);
    void tellFailure(const QString& failed);
};
