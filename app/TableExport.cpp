// SPDX-License-Identifier: MIT
#include "TableExport.h"

#include "ExportFile.h"
#include "MessageBox.h"
#include "PrintJob.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TableExport::TableExport(QWidget& window) : QObject(&window), window_(window)
{
}

QAction* TableExport::addItems(QMenu& menu, QAction* before, const Items& texts, const QString& name)
{
    const auto add = [&](const QString& text, const char* suffix, void (TableExport::*command)()) {
        auto* action = new QAction(text, &menu);
        action->setObjectName(name + QLatin1String(suffix));
        menu.insertAction(before, action);
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add(texts.csv, "Csv", &TableExport::exportCsv);
    QAction* print = add(texts.print, "Print", &TableExport::print);
    add(texts.pdf, "Pdf", &TableExport::exportPdf);
    return print;
}

QString TableExport::writePdf(const QString& path)
{
    return PrintJob(window_, table()).writePdf(path);
}

void TableExport::exportCsv()
{
    if (const QString path = chooseFile(QStringLiteral("CSV")); !path.isEmpty())
        tellFailure(writeCsv(path));
}

void TableExport::print()
{
    PrintJob(window_, table()).preview();
}

void TableExport::exportPdf()
{
    if (const QString path = chooseFile(QStringLiteral("PDF")); !path.isEmpty())
        tellFailure(writePdf(path));
}

QString TableExport::chooseFile(const QString& what)
{
    return ExportFile::choose(window_, what, fileName(), dataDir());
}

void TableExport::tellFailure(const QString& failed)
{
    if (!failed.isEmpty())
        showMessageBox(&window_, failed);
}
