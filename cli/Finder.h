// SPDX-License-Identifier: MIT
#pragma once

#include "CommandLine.h"
#include "ConsoleListView.h"
#include "ConsoleUi.h"
#include "Cp932Converter.h"
#include "OutputSink.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace card {
class CardFilter;
class CardLister;
class Deck;
struct DeckLine;
class TextReadings;
class Utf8Transcoder;
struct CheckResult;
struct SearchCriteria;
}  // namespace card

// Runs one parsed command of the command-line finder on the card engine and
// gives the exit status: 0 cards printed (check: no problem), 1 no card
// (check: problems found), 2 an error.
class Finder {
public:
    Finder(const CommandLine& commandLine, std::FILE* out, std::FILE* err);
    ~Finder();

    int run();

private:
    int runCommand();
    int runList();
    int runSearch();
    int runFilter();
    static void listCards(card::CardLister& lister, CommandLine::Command list);
    int runCheck();
    int runDeck();
    // The deck file's text as UTF-8, or nullopt after saying why it is refused.
    std::optional<std::string> deckText();
    void printDeck(const card::Deck& deck);
    void printDeckLine(const card::DeckLine& line);
    void reportDeckLine(const card::DeckLine& line);
    // Runs a list command or a search on a fresh list, with `filter` when
    // given, and gives its status; `marked`: the lines mark what its words
    // matched.
    int runOnList(const std::function<void(card::CardLister&)>& command, card::CardFilter* filter = nullptr,
                  bool marked = false);
    // Sorts, reads aloud or filters by reading the cards listed whole.
    int printWhole(const card::CardLister& lister, card::CardFilter* filter, bool marked);
    bool listsWholeFirst(const card::CardFilter* filter) const;
    // The readings, the dictionary opened at the first call.
    card::TextReadings& readings();
    // Checks one data file; false when it could not be opened or read.
    bool checkFile(const char* file, bool& problemsFound);
    static void addTranscodingProblems(const card::Utf8Transcoder& utf8, card::CheckResult& result);

    // The engine's Shift-JIS bytes of a TEXT argument.
    std::optional<card::SearchCriteria> searchCriteria();
    std::optional<std::string> cardText(const std::string& option, const std::string& text);
    // The filter words as UTF-8, however they were given.
    std::string filterText();

    // How the list's cards are printed: lines, whole records or CSV rows.
    ConsoleListView::Print printStyle() const;
    std::filesystem::path dataDir() const;
    bool dataDirIsNoFolder() const;
    card::Cp932Converter* utf8Converter();

    const CommandLine& commandLine_;
    std::FILE* outFile_;
    OutputSink out_;
    ConsoleUi ui_;
    card::Cp932Converter converter_;
    std::unique_ptr<card::TextReadings> readings_;
};
