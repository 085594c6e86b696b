// SPDX-License-Identifier: MIT
#include "ConsoleListView.h"

#include "CardFilter.h"
#include "CardLayout.h"
#include "Cp932Converter.h"
#include "OutputSink.h"
#include "RecordWriter.h"
#include "TextReadings.h"

namespace {
// grep's own: bold red, and the rest of the line cleared behind it.
constexpr std::string_view kMarkStart = "\x1b[01;31m\x1b[K";
constexpr std::string_view kMarkEnd = "\x1b[m\x1b[K";
}  // namespace

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
    if (marks_ && print_ == Print::Lines) {
        appendMarkedLine(card);
        appendReading(card);
        out_.append('\n');
        return;
    }
    line_.clear();
    if (print_ == Print::Records) {
        appendRecord(card);
        return;
    }
    if (print_ == Print::Csv) {
        csv_.appendCard(line_, card);
        out_.append(line_);
        return;
    }
    if (toUtf8_) {
        card.appendListLine(line_);
        out_.append(toUtf8_->toUtf8(line_));
    } else {
        out_.appendBuilt([&card](std::string& out) { card.appendListLine(out); });
    }
    appendReading(card);
    out_.append('\n');
}

// A million records cost no million allocations: built in place in the
// output, or in one reused line when they are converted.
void ConsoleListView::appendRecord(const card::CardView& card)
{
    if (!toUtf8_) {
        out_.appendBuilt([&card](std::string& out) { card::appendRecord(out, card); });
        return;
    }
    card::appendRecord(line_, card);
    appendText(line_);
}

// The record's bytes as read are the record as written: copied at once.
void ConsoleListView::addRecord(const card::CardView&, std::string_view bytes)
{
    appendText(bytes);
}

void ConsoleListView::appendReading(const card::CardView& card)
{
    if (!readings_)
        return;
    out_.append('\t');
    appendText(readings_->shownReading(card.name));
}

// Each piece converted on its own: a marked piece begins and ends at
// characters, so the pieces convert as the whole line would.
void ConsoleListView::appendMarkedLine(const card::CardView& card)
{
    const std::vector<card::MatchedText> marked = marks_->matchedTexts(card);
    for (const card::ListColumn& column : card::kListColumns) {
        if (&column != &card::kListColumns.front())
            out_.append('\t');
        const std::string_view field = card.field(column.field);
        std::size_t done = 0;
        for (const card::MatchedText& piece : marked) {
            if (piece.field != column.field)
                continue;
            appendText(field.substr(done, piece.begin - done));
            out_.append(kMarkStart);
            appendText(field.substr(piece.begin, piece.end - piece.begin));
            out_.append(kMarkEnd);
            done = piece.end;
        }
        appendText(field.substr(done));
    }
}

void ConsoleListView::appendText(std::string_view cp932)
{
    if (toUtf8_)
        out_.append(toUtf8_->toUtf8(cp932));
    else
        out_.append(cp932);
}
