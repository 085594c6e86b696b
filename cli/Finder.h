#pragma once

#include "CommandLine.h"
#include "ConsoleUi.h"
#include "Cp932Converter.h"
#include "OutputSink.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class CardLister;
struct SearchCriteria;

// Runs one parsed command of the command-line finder on the card engine and
// gives the exit status: 0 cards printed (check: no problem), 1 no card
// (check: problems found), 2 an error.
class Finder {
public:
    Finder(const CommandLine& commandLine, std::FILE* out, std::FILE* err);

    int run();

private:
    int runCommand();
    int runList();
    int runSearch();
    int runCheck();
    // Runs a list command or a search on a fresh list and gives its status.
    int runOnList(const std::function<void(CardLister&)>& command);
    // Checks one data file; false when it could not be opened or read.
    bool checkFile(const char* file, bool& problemsFound);

    // The engine's Shift-JIS bytes of a TEXT argument.
    std::optional<SearchCriteria> searchCriteria();
    std::optional<std::string> cardText(const std::string& option, const std::string& text);

    void printRecords(const CardLister& lister);
    int listStatus(const CardLister& lister);
    std::filesystem::path dataDir() const;
    Cp932Converter* utf8Converter();

    const CommandLine& commandLine_;
    OutputSink out_;
    ConsoleUi ui_;
    Cp932Converter converter_;
};
