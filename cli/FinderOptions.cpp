// SPDX-License-Identifier: MIT
#include "FinderOptions.h"

#include <array>

namespace finder_options {
namespace {

constexpr unsigned kListCommands = List | Search | Filter | Deck;
constexpr unsigned kSortedCommands = List | Search | Filter;

constexpr std::array kOptions{
    Option{"-C", "", "DIR", "", Global, Section::General, "read the data files from DIR"},
    Option{"--encoding", "", "", "utf-8|cp932", Global, Section::General,
           "of the output and of TEXT (default utf-8; cp932\n"
           "passes the file's bytes through unchanged)"},
    Option{"--format", "", "", "lines|records|csv", kListCommands, Section::General,
           "lines (the default); records: whole records in\n"
           "the data-file format; csv: a spreadsheet file of\n"
           "the ten fields (UTF-8 with BOM, CR LF), as the\n"
           "window exports it"},
    Option{"--records", "", "", "", kListCommands, Section::General, "the same as --format records"},
    Option{"--sort", "", "", "name|type|illust|rate", kSortedCommands, Section::General,
           "print the cards in the window's order of that\n"
           "column (default: file order); name, type and\n"
           "illust by reading (五十音順), kana and kanji\n"
           "together"},
    Option{"--no-reading", "", "", "", kSortedCommands, Section::General,
           "sort names, types and illustrators by their\n"
           "text, not by their reading"},
    Option{"--show-reading", "", "", "", kSortedCommands, Section::General,
           "add the name's reading in katakana as a last\n"
           "column (lines only)"},
    Option{"--help", "-h", "", "", Global, Section::General, "show this help and exit"},
    Option{"--version", "", "", "", Global, Section::General, "show the version and exit"},

    Option{"--side", "", "", "corp|runner", Search, Section::Search, "the side to search (default corp)"},
    Option{"--name", "", "TEXT", "", Search, Section::Search, "card name to match (default empty)"},
    Option{"--type", "", "TEXT", "", Search, Section::Search, "card type to match (default empty)"},
    Option{"--rate", "", "TEXT", "", Search, Section::Search,
           "rarity, the whole text, A-Z matching a-z (default\n"
           "empty: any rarity)"},
    Option{"--mode", "", "", "exact|prefix|partial", Search, Section::Search,
           "how name and type match: the whole text, its\n"
           "beginning or any part, A-Z matching a-z\n"
           "(default exact)"},
    Option{"--fold", "", "", "", Search, Section::Search,
           "fold kana and character width: hiragana match\n"
           "katakana, half-width katakana (a voiced mark\n"
           "joined to its letter) match full-width ones,\n"
           "full-width ASCII matches ASCII, in the name,\n"
           "type and rarity alike"},

    Option{"--side", "", "", "all|corp|runner", Filter, Section::Filter,
           "the cards to filter: those of list all (the\n"
           "default), list corp or list runner"},
    Option{"--fold", "", "", "", Filter, Section::Filter, "fold kana and character width as search --fold"},
    Option{"--color", "", "", "auto|always|never", Filter, Section::Filter,
           "mark the text each WORD matched in colour, as grep\n"
           "does: auto (the default) when standard output is\n"
           "a terminal, always, or never"},
    Option{"--", "", "", "", Filter, Section::Filter,
           "every argument after it is a WORD; before it, an\n"
           "argument that is none of these options is a WORD\n"
           "too, whatever it begins with"},
};

constexpr std::array kCommands{
    Command{"list", "all|runner|corp", List,
            "one line per card: rate, name, type, note, illust,\n"
            "tab-separated; all is the Corporate cards, then the\n"
            "Runner cards"},
    Command{"search", "", Search,
            "the cards of one side whose name or type matches\n"
            "its TEXT, and whose rarity is --rate when given"},
    Command{"filter", "[WORD]...", Filter,
            "the cards in which every WORD stands, as list\n"
            "prints them; the words, joined by spaces, are\n"
            "read as the window's filter box reads its text"},
    Command{"deck", "FILE", Deck,
            "the cards of the deck FILE: count, side (corp or\n"
            "runner) and the card's line, tab-separated; names\n"
            "not in the data files go to standard error"},
    Command{"check", "", 0,
            "reports every format problem of both files as\n"
            "FILE:LINE: text, then the cards of each file"},
};

}  // namespace

std::span<const Option> options()
{
    return kOptions;
}

std::span<const Command> commands()
{
    return kCommands;
}

const Option* find(std::string_view name, unsigned scope)
{
    for (const Option& option : kOptions) {
        if ((option.scopes & scope) && (option.name == name || (!option.shortName.empty() && option.shortName == name)))
            return &option;
    }
    return nullptr;
}

const Command* findCommand(std::string_view word)
{
    for (const Command& command : kCommands) {
        if (command.word == word)
            return &command;
    }
    return nullptr;
}

bool takesValue(const Option& option)
{
    return !option.valueName.empty() || !option.words.empty();
}

}  // namespace finder_options
