// SPDX-License-Identifier: MIT
#include "ConsoleListView.h"

#include "Cp932Converter.h"
#include "OutputSink.h"

ConsoleListView::ConsoleListView(OutputSink& out, card::Cp932Converter* toUtf8, bool printLines)
    : out_(out), toUtf8_(toUtf8), printLines_(printLines)
{
}

void ConsoleListView::addCard(const card::CardView& card)
{
    if (!printLines_)
        return;
    line_.clear();
    card.appendListLine(line_);
    if (toUtf8_)
        out_.append(toUtf8_->toUtf8(line_));
    else
        out_.append(line_);
    out_.append('\n');
}
