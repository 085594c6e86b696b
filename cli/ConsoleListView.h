// SPDX-License-Identifier: MIT
#pragma once

#include "CardListOutput.h"
#include "CsvWriter.h"

#include <string>

namespace card {
class CardFilter;
class Cp932Converter;
class TextReadings;
}  // namespace card
class OutputSink;

// The card list of the command-line finder: every line goes to the output
// as soon as it is added, so the cards read before an error are printed.
class ConsoleListView : public card::CardListOutput {
public:
    enum class Print { Lines, Records, Csv, Nothing };

    // With a converter, lines and records are printed in UTF-8; without, as
    // read. CSV rows are always UTF-8, after the header row. Nothing keeps
    // the list silent (its lines are printed after the command instead).
    ConsoleListView(OutputSink& out, card::Cp932Converter* toUtf8, Print print);

    // Lines already written cannot be taken back; a run of the finder fills
    // its list once, so emptying has nothing to do.
    void resetContent() override {}
    void addCard(const card::CardView& card) override;
    bool printsRecords() const override { return print_ == Print::Records; }
    void addRecord(const card::CardView& card, std::string_view bytes) override;
    void selectFirstLine() override {}
    void setRedraw(bool) override {}

    // Marks the text that `filter`'s words matched in each line with the
    // colour escape codes grep uses; nullptr marks nothing.
    void markMatchesOf(const card::CardFilter* filter) { marks_ = filter; }
    // Adds the name's reading from `readings` as the lines' last column.
    void showReadingsOf(const card::TextReadings* readings) { readings_ = readings; }

private:
    void appendRecord(const card::CardView& card);
    void appendMarkedLine(const card::CardView& card);
    void appendText(std::string_view cp932);
    void appendReading(const card::CardView& card);

    OutputSink& out_;
    card::Cp932Converter* toUtf8_;
    Print print_;
    std::string line_;  // the list line being built, reused
    const card::CardFilter* marks_ = nullptr;
    const card::TextReadings* readings_ = nullptr;
    card::CsvWriter csv_;
};
