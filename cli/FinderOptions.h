// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

// Every command and option of voxtarn-find, once: the parser, --help (and so
// the manual page) and the bash completion are all made from these rows.
namespace finder_options {

// The commands that take an option, as bits: Global options stand before
// the command word.
enum Scope : unsigned { Global = 1, List = 2, Search = 4, Filter = 8, Deck = 16 };

// The block of --help that shows an option.
enum class Section { General, Search, Filter };

struct Option {
    std::string_view name;       // "--side"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // "DIR", "TEXT"; empty when it takes words or nothing
    std::string_view words;      // a choice: "corp|runner", the position is the value
    unsigned scopes;
    Section section;
    std::string_view help;  // its lines as --help shows them, "\n" between
};

struct Command {
    std::string_view word;  // "list"
    std::string_view args;  // "all|runner|corp" (the words it takes), "[WORD]...", "FILE" or empty
    unsigned scope;
    std::string_view help;
};

std::span<const Option> options();
std::span<const Command> commands();

// The row of `name` among the options of `scope`, or nullptr.
const Option* find(std::string_view name, unsigned scope);

// The command of `word`, or nullptr.
const Command* findCommand(std::string_view word);

bool takesValue(const Option& option);

// The words of a "a|b|c" list, one by one.
template <typename Visit>
void forEachWord(std::string_view list, Visit visit)
{
    while (!list.empty()) {
        std::size_t bar = list.find('|');
        visit(list.substr(0, bar));
        list = bar == std::string_view::npos ? std::string_view{} : list.substr(bar + 1);
    }
}

}  // namespace finder_options
