// SPDX-License-Identifier: MIT
#pragma once

#include "PrintTable.h"

#include <QString>

class QPrinter;
class QProgressDialog;
class QWidget;

// Prints a table through the print preview, or writes it as a PDF file.
// Making the pages shows progress and can be stopped; the window answers
// meanwhile. Before more than kAskAbove pages are made, the player is told
// how many and asked.
class PrintJob {
public:
    static constexpr int kAskAbove = 500;

    PrintJob(QWidget& window, PrintTable table);

    // The preview dialog, from which the player prints.
    void preview();
    // The table as a PDF at `path`, whole or not at all: the reason it was
    // not written, naming the file, or empty (also when the player stopped).
    QString writePdf(const QString& path);

    // The pages of the last layout, for the question and the tests.
    int pageCount() const { return pageCount_; }

private:
    // Lays the pages out for `printer` and asks when they are many; false
    // when the player declines or stops.
    bool agreeToPages(QPrinter& printer);
    // Paints on `printer`; false when stopped or failed.
    bool paint(QPrinter& printer);

    QWidget& window_;
    PrintTable table_;
    int pageCount_ = 0;
};
