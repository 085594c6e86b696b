// SPDX-License-Identifier: MIT
#pragma once

#include "CardListOutput.h"

#include <string>

namespace card {
class Cp932Converter;
}  // namespace card
class OutputSink;

// The card list of the command-line finder: every line goes to the output
// as soon as it is added, so the cards read before an error are printed.
class ConsoleListView : public card::CardListOutput {
public:
    // With a converter, lines are printed in UTF-8; without, as read.
    // `printLines` false keeps the list silent (whole records are printed
    // after the command instead).
    ConsoleListView(OutputSink& out, card::Cp932Converter* toUtf8, bool printLines);

    // Lines already written cannot be taken back; a run of the finder fills
    // its list once, so emptying has nothing to do.
    void resetContent() override {}
    void addCard(const card::CardView& card) override;
    void selectFirstLine() override {}
    void setRedraw(bool) override {}

private:
    OutputSink& out_;
    card::Cp932Converter* toUtf8_;
    bool printLines_;
    std::string line_;  // the list line being built, reused
};
