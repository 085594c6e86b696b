// SPDX-License-Identifier: MIT
#pragma once

#include "SearchCriteria.h"

#include <optional>
#include <string>
#include <vector>

// The command line of voxtarn-find, parsed:
//   voxtarn-find [-C DIR] [--encoding utf-8|cp932] list all|runner|corp [--format F] [ORDER]
//   voxtarn-find [-C DIR] [--encoding utf-8|cp932] search [--side corp|runner]
//       [--name TEXT] [--type TEXT] [--rate TEXT] [--mode exact|prefix|partial] [--fold] [--format F]
//   voxtarn-find [-C DIR] [--encoding utf-8|cp932] filter [--side all|corp|runner] [--fold]
//       [--color auto|always|never] [--format F] [--] [WORD]...
//   voxtarn-find [-C DIR] [--encoding utf-8|cp932] deck FILE [--format F]
//   voxtarn-find [-C DIR] check
// where ORDER is [--sort name|type|illust|rate] [--no-reading] [--show-reading].
//   voxtarn-find --help | --version
class CommandLine {
public:
    enum class Command { Help, Version, ListAll, ListRunner, ListCorp, Search, Filter, Deck, Check };
    enum class Encoding { Utf8, Cp932 };
    enum class Color { Auto, Always, Never };  // in the order of --color's words
    // The order of the words of --format.
    enum class Format { Lines, Records, Csv };
    // The order of the words of --sort.
    enum class Sort { Name, Type, Illust, Rate };

    // The parsed command line, or nullopt with `error` set.
    static std::optional<CommandLine> parse(const std::vector<std::string>& args, std::string& error);

    static const std::string& usage();

    Command command = Command::Help;
    Encoding encoding = Encoding::Utf8;
    bool dataDirGiven = false;
    std::string dataDir;   // -C DIR, as given (UTF-8 on Windows)
    Format format = Format::Lines;  // --format, --records
    std::optional<Sort> sort;       // --sort; none: file order
    bool byReading = true;          // not --no-reading
    bool showReading = false;       // --show-reading
    // search: the texts as typed (in the argument encoding; the finder
    // turns them into the engine's Shift-JIS), the side, the mode and --fold.
    card::SearchCriteria criteria;
    // filter: the list command whose cards it filters (ListAll, ListCorp or
    // ListRunner), its words joined by single spaces, as typed, and --fold.
    Command filterList = Command::ListAll;
    std::string filterText;
    bool filterFold = false;
    std::string deckFile;  // deck: the deck file, as given
    Color filterColor = Color::Auto;

private:
    class Parser;
};
