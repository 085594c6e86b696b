// SPDX-License-Identifier: MIT
#include "ConsoleListView.h"

#include "Cp932Converter.h"
#include "OutputSink.h"

ConsoleListView::ConsoleListView(OutputSink& out, card::Cp932Converter* toUtf8, bool printLines)
    : out_(out), toUtf8_(toUtf8), printLines_(printLines)
{
}

void ConsoleListView::addString(std::string_view line)
{
    if (!printLines_)
        return;
    if (toUtf8_)
        out_.append(toUtf8_->toUtf8(line));
    else
        out_.append(line);
    out_.append('\n');
}
