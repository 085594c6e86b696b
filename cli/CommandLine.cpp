// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "FinderOptions.h"

#include "SearchMode.h"
#include "ShiftJis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace {
constexpr unsigned kAnyScope = ~0u;

bool takesNextArgument(std::string_view arg)
{
    const finder_options::Option* option = finder_options::find(arg, kAnyScope);
    return option != nullptr && finder_options::takesValue(*option);
}

// Option values are words of A-Z in any case: "Runner", "CP932".
bool equalsIgnoringAsciiCase(std::string_view text, std::string_view word)
{
    return std::ranges::equal(text, word,
                              [](char a, char b) { return card::sjis::foldAscii(a) == card::sjis::foldAscii(b); });
}
}  // namespace

// Walks the arguments once: global options, the command word, then the
// command's own options. "--opt=value" and "--opt value" are both taken.
class CommandLine::Parser {
public:
    Parser(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

    std::optional<CommandLine> run()
    {
        if (helpOrVersion())
            return result_;
        if (!globalOptions())
            return std::nullopt;
        if (pos_ == args_.size())
            return fail("no command given (list, search, filter, deck or check)");
        std::string word = args_[pos_++];
        bool ok = word == "list"     ? listCommand()
                  : word == "search" ? searchCommand()
                  : word == "filter" ? filterCommand()
                  : word == "deck"   ? deckCommand()
                  : word == "check"  ? checkCommand()
                                     : (fail("unknown command: " + word), false);
        if (!ok)
            return std::nullopt;
        return result_;
    }

private:
    // Takes the current argument when it is an option; an "=value" part is
    // kept for value(), which otherwise takes the next argument.
    bool takeOption(std::string& option)
    {
        const std::string& arg = args_[pos_];
        if (arg.size() < 2 || arg[0] != '-')
            return false;
        std::size_t eq = arg.find('=');
        if (arg.starts_with("--") && eq != std::string::npos) {
            option = arg.substr(0, eq);
            inlineValue_ = arg.substr(eq + 1);
            hasInlineValue_ = true;
        } else {
            option = arg;
            hasInlineValue_ = false;
        }
        ++pos_;
        return true;
    }

    bool value(const std::string& option, std::string& out)
    {
        if (hasInlineValue_) {
            out = inlineValue_;
            return true;
        }
        if (pos_ == args_.size())
            return fail(option + " needs a value"), false;
        out = args_[pos_++];
        return true;
    }

    bool noValue(const std::string& option)
    {
        if (hasInlineValue_)
            return fail(option + " takes no value"), false;
        return true;
    }

    // The position of the value among the option's words in the table is
    // the value: an int or an enum.
    template <typename Value>
    bool choice(const std::string& option, unsigned scope, Value& out)
    {
        std::string text;
        if (!value(option, text))
            return false;
        int index = 0;
        int found = -1;
        finder_options::forEachWord(finder_options::find(option, scope)->words, [&](std::string_view word) {
            if (found < 0 && equalsIgnoringAsciiCase(text, word))
                found = index;
            ++index;
        });
        if (found < 0)
            return fail("invalid value for " + option + ": " + text), false;
        out = static_cast<Value>(found);
        return true;
    }

    bool globalOptions()
    {
        std::string option;
        while (pos_ < args_.size() && takeOption(option)) {
            if (option == "-C") {
                if (!value(option, result_.dataDir))
                    return false;
                result_.dataDirGiven = true;
            } else if (option == "--encoding") {
                int encoding = 0;
                if (!choice(option, finder_options::Global, encoding))
                    return false;
                result_.encoding = encoding == 0 ? Encoding::Utf8 : Encoding::Cp932;
            } else {
                return fail("unknown option: " + option), false;
            }
        }
        return true;
    }

    // --help or --version anywhere wins over everything else, help first;
    // but the value of an option is always that value: "--name -h" names a
    // card "-h", and after filter's "--" every argument is a word.
    bool helpOrVersion()
    {
        bool version = false;
        bool filter = false;
        for (std::size_t i = 0; i < args_.size(); ++i) {
            const std::string& arg = args_[i];
            if (filter && arg == "--")
                break;
            filter = filter || arg == "filter";
            if (takesNextArgument(arg)) {
                ++i;
            } else if (arg == "--help" || arg == "-h") {
                result_.command = Command::Help;
                return true;
            }
            version = version || arg == "--version";
        }
        if (version)
            result_.command = Command::Version;
        return version;
    }

    bool listCommand()
    {
        bool sideSeen = false;
        while (pos_ < args_.size()) {
            std::string option;
            if (takeOption(option)) {
                if (finder_options::find(option, finder_options::List) == nullptr)
                    return fail("unknown option for list: " + option), false;
                if (!format(option, finder_options::List))
                    return false;
                continue;
            }
            const std::string& word = args_[pos_++];
            if (sideSeen)
                return fail("unexpected argument: " + word), false;
            sideSeen = true;
            if (!listSide(word))
                return fail("list takes all, runner or corp, not " + word), false;
        }
        if (!sideSeen)
            return fail("list needs all, runner or corp"), false;
        return true;
    }

    // The words of list, in the order of its row in the table.
    bool listSide(std::string_view word)
    {
        constexpr std::array kSides{Command::ListAll, Command::ListRunner, Command::ListCorp};
        std::size_t index = 0;
        bool found = false;
        finder_options::forEachWord(finder_options::findCommand("list")->args, [&](std::string_view side) {
            if (!found && side == word) {
                result_.command = kSides.at(index);
                found = true;
            }
            ++index;
        });
        return found;
    }

    bool searchCommand()
    {
        result_.command = Command::Search;
        while (pos_ < args_.size()) {
            std::string option;
            if (!takeOption(option))
                return fail("unexpected argument: " + args_[pos_]), false;
            if (finder_options::find(option, finder_options::Search) == nullptr)
                return fail("unknown option for search: " + option), false;
            bool ok = option == "--side"      ? choice(option, finder_options::Search, result_.criteria.side)
                      : option == "--mode"    ? choice(option, finder_options::Search, result_.criteria.mode)
                      : option == "--name"    ? value(option, result_.criteria.name)
                      : option == "--type"    ? value(option, result_.criteria.type)
                      : option == "--rate"    ? value(option, result_.criteria.rate)
                      : option == "--fold"    ? noValue(option) && setFlag(result_.criteria.fold)
                                              : format(option, finder_options::Search);
            if (!ok)
                return false;
        }
        return true;
    }

    // Its options, then its words: every other argument, those that begin
    // with "-" included, and after "--" every argument.
    bool filterCommand()
    {
        result_.command = Command::Filter;
        std::vector<std::string_view> words;
        bool wordsOnly = false;
        while (pos_ < args_.size()) {
            const std::string& arg = args_[pos_];
            if (!wordsOnly && arg == "--") {
                wordsOnly = true;
                ++pos_;
                continue;
            }
            if (wordsOnly || !isFilterOption(arg)) {
                words.push_back(arg);
                ++pos_;
                continue;
            }
            std::string option;
            takeOption(option);
            if (option == "--side") {
                constexpr std::array kLists{Command::ListAll, Command::ListCorp, Command::ListRunner};
                std::size_t side = 0;
                if (!choice(option, finder_options::Filter, side))
                    return false;
                result_.filterList = kLists[side];
            } else if (option == "--color") {
                if (!choice(option, finder_options::Filter, result_.filterColor))
                    return false;
            } else if (option == "--fold" ? !noValue(option) || !setFlag(result_.filterFold)
                                          : !format(option, finder_options::Filter)) {
                return false;
            }
        }
        for (std::size_t i = 0; i < words.size(); ++i)
            result_.filterText.append(i == 0 ? "" : " ").append(words[i]);
        return true;
    }

    // "--" is filter's end of options, not an option to take.
    static bool isFilterOption(std::string_view arg)
    {
        std::string_view name = arg.substr(0, arg.find('='));
        return name != "--" && finder_options::find(name, finder_options::Filter) != nullptr;
    }

    // --format WORD, --records for --format records, and the order's options.
    bool format(const std::string& option, unsigned scope)
    {
        if (option == "--format")
            return choice(option, scope, result_.format);
        if (option == "--sort") {
            Sort sort{};
            if (!choice(option, scope, sort))
                return false;
            result_.sort = sort;
            return true;
        }
        if (!noValue(option))
            return false;
        if (option == "--no-reading")
            result_.byReading = false;
        else if (option == "--show-reading")
            result_.showReading = true;
        else
            result_.format = Format::Records;
        return true;
    }

    static bool setFlag(bool& flag)
    {
        flag = true;
        return true;
    }

    bool deckCommand()
    {
        result_.command = Command::Deck;
        bool fileSeen = false;
        while (pos_ < args_.size()) {
            std::string option;
            if (takeOption(option)) {
                if (finder_options::find(option, finder_options::Deck) == nullptr)
                    return fail("unknown option for deck: " + option), false;
                if (!format(option, finder_options::Deck))
                    return false;
                continue;
            }
            if (fileSeen)
                return fail("unexpected argument: " + args_[pos_]), false;
            result_.deckFile = args_[pos_++];
            fileSeen = true;
        }
        if (!fileSeen)
            return fail("deck needs a FILE"), false;
        return true;
    }

    bool checkCommand()
    {
        result_.command = Command::Check;
        if (pos_ < args_.size())
            return fail("check takes no arguments: " + args_[pos_]), false;
        return true;
    }

    std::nullopt_t fail(const std::string& message)
    {
        error_ = message;
        return std::nullopt;
    }

    const std::vector<std::string>& args_;
    std::string& error_;
    CommandLine result_;
    std::size_t pos_ = 0;
    std::string inlineValue_;
    bool hasInlineValue_ = false;
};

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& args, std::string& error)
{
    using enum card::search_mode;
    static_assert(int(Exact) == 0 && int(Prefix) == 1 && int(Partial) == 2, "--mode words follow search_mode");
    return Parser(args, error).run();
}

namespace {
// "  NAME" and its help from column 25; a name too long for that gets a line
// of its own. The manual page (help2man) is made from this layout.
void appendHelpRow(std::string& out, std::string_view name, std::string_view help)
{
    constexpr std::size_t kHelpColumn = 24;
    out.append("  ").append(name);
    if (name.size() + 4 > kHelpColumn)
        out.append("\n").append(kHelpColumn, ' ');
    else
        out.append(kHelpColumn - 2 - name.size(), ' ');
    for (std::size_t end = help.find('\n'); end != std::string_view::npos; end = help.find('\n')) {
        out.append(help.substr(0, end + 1)).append(kHelpColumn, ' ');
        help.remove_prefix(end + 1);
    }
    out.append(help).append("\n");
}

std::string optionSynopsis(const finder_options::Option& option)
{
    std::string text(option.shortName);
    text.append(text.empty() ? "" : ", ").append(option.name);
    std::string_view value = option.words.empty() ? option.valueName : option.words;
    if (!value.empty())
        text.append(" ").append(value);
    return text;
}

void appendOptions(std::string& out, finder_options::Section section)
{
    for (const finder_options::Option& option : finder_options::options()) {
        if (option.section == section)
            appendHelpRow(out, optionSynopsis(option), option.help);
    }
}

std::string makeUsage()
{
    std::string out =
        "Usage: voxtarn-find [-C DIR] [--encoding utf-8|cp932] list all|runner|corp [--format F]\n"
        "  or:  voxtarn-find [-C DIR] [--encoding utf-8|cp932] search [SEARCH OPTION]...\n"
        "  or:  voxtarn-find [-C DIR] [--encoding utf-8|cp932] filter [FILTER OPTION]... [WORD]...\n"
        "  or:  voxtarn-find [-C DIR] [--encoding utf-8|cp932] deck FILE [--format F]\n"
        "  or:  voxtarn-find [-C DIR] check\n"
        "  or:  voxtarn-find --help | --version\n"
        "\n"
        "Lists and searches the cards of corp.txt and runner.txt (Shift-JIS, or UTF-8\n"
        "converted as read) in DIR (default: the current directory).\n"
        "\n"
        "Commands:\n";
    for (const finder_options::Command& command : finder_options::commands())
        appendHelpRow(out, std::string(command.word).append(command.args.empty() ? "" : " ").append(command.args),
                      command.help);
    out.append("\nOptions:\n");
    appendOptions(out, finder_options::Section::General);
    out.append("\nSearch options:\n");
    appendOptions(out, finder_options::Section::Search);
    out.append("\nFilter options:\n");
    appendOptions(out, finder_options::Section::Filter);
    out.append("\n"
               "Filter words: a card shows when every WORD stands in one of its fields,\n"
               "A-Z matching a-z. A prefix limits a WORD to some fields: n: (or 名:) the\n"
               "name, t: (種:) the type, x: (文:) the rules text and the note, i: (絵:) the\n"
               "illustrator, r: (頻:) the rarity; with = instead of : (t=TEXT) the whole\n"
               "field must match, x= any one rules-text line or the note. r>=NAME, r>NAME,\n"
               "r<=NAME, r<NAME compare rarities in the order Common, Uncommon, Vital,\n"
               "Rare (NAME in any case, its first letter enough). -WORD leaves out the\n"
               "cards it matches. \"TEXT\" is a phrase with spaces, text only, also after\n"
               "- or a prefix (x:\"1 クレジット\"). WORD | WORD or WORD OR WORD matches either;\n"
               "words side by side bind tighter, ( ) group, -( ) leaves a group out. What\n"
               "means nothing yet (a lone ), an OR with nothing on one side, ( ), an\n"
               "unknown rarity) is left out and said. A WORD that CP932 cannot hold\n"
               "matches no card.\n"
               "\n"
               "Deck files: one card a line, a count before the name (3, 3x, 3枚) or after\n"
               "it (x3), [Corporate] and [Runner] sections, # memo lines; UTF-8 or\n"
               "Shift-JIS.\n"
               "\n"
               "Exit status: 0 cards printed (check: no problem; deck: every line found),\n"
               "1 none (check: problems; deck: some line not found), 2 error. Messages go\n"
               "to standard error as FILE:LINE: text.\n");
    return out;
}
}  // namespace

const std::string& CommandLine::usage()
{
    static const std::string text = makeUsage();
    return text;
}
