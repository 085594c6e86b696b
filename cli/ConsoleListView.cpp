// SPDX-License-Identifier: MIT
#include "ConsoleListView.h"

#include "Cp932Converter.h"
#include "OutputSink.h"

ConsoleListView::ConsoleListView(OutputSink& out, card::Cp932Converter* toUtf8, Print print)
    : out_(out), toUtf8_(toUtf8), print_(print)
{
    if (print_ == Print::Csv)
        out_.append(card::CsvWriter::cardHeader());
}

void ConsoleListView::addCard(const card::CardView& card)
{
    if (print_ == Print::Nothing)
        return;
    line_.clear();
    if (print_ == Print::Csv) {
        csv_.appendCard(line_, card);
        out_.append(line_);
        return;
    }
    card.appendListLine(line_);
    if (toUtf8_)
        out_.append(toUtf8_->toUtf8(line_));
    else
        out_.append(line_);
    out_.append('\n');
}
