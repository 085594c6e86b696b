// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "SearchMode.h"
#include "ShiftJis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace {
// The options that take the next argument as their value.
constexpr std::array<std::string_view, 7> kValueOptions{"-C",     "--encoding", "--side", "--mode",
                                                        "--name", "--type",     "--rate"};

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
            return fail("no command given (list, search, filter or check)");
        std::string word = args_[pos_++];
        bool ok = word == "list"     ? listCommand()
                  : word == "search" ? searchCommand()
                  : word == "filter" ? filterCommand()
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

    // The position of the word among `words` is the value: an int or an enum.
    template <typename Value>
    bool choice(const std::string& option, std::initializer_list<std::string_view> words, Value& out)
    {
        std::string text;
        if (!value(option, text))
            return false;
        int index = 0;
        for (std::string_view word : words) {
            if (equalsIgnoringAsciiCase(text, word)) {
                out = static_cast<Value>(index);
                return true;
            }
            ++index;
        }
        return fail("invalid value for " + option + ": " + text), false;
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
                if (!choice(option, {"utf-8", "cp932"}, encoding))
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
            if (std::find(kValueOptions.begin(), kValueOptions.end(), arg) != kValueOptions.end()) {
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
                if (option != "--records")
                    return fail("unknown option for list: " + option), false;
                if (!noValue(option) || !setFlag(result_.records))
                    return false;
                continue;
            }
            const std::string& word = args_[pos_++];
            if (sideSeen)
                return fail("unexpected argument: " + word), false;
            sideSeen = true;
            if (word == "all")
                result_.command = Command::ListAll;
            else if (word == "runner")
                result_.command = Command::ListRunner;
            else if (word == "corp")
                result_.command = Command::ListCorp;
            else
                return fail("list takes all, runner or corp, not " + word), false;
        }
        if (!sideSeen)
            return fail("list needs all, runner or corp"), false;
        return true;
    }

    bool searchCommand()
    {
        result_.command = Command::Search;
        while (pos_ < args_.size()) {
            std::string option;
            if (!takeOption(option))
                return fail("unexpected argument: " + args_[pos_]), false;
            bool ok = option == "--side"      ? choice(option, {"corp", "runner"}, result_.criteria.side)
                      : option == "--mode"    ? choice(option, {"exact", "prefix", "partial"}, result_.criteria.mode)
                      : option == "--name"    ? value(option, result_.criteria.name)
                      : option == "--type"    ? value(option, result_.criteria.type)
                      : option == "--rate"    ? value(option, result_.criteria.rate)
                      : option == "--fold"    ? noValue(option) && setFlag(result_.criteria.fold)
                      : option == "--records" ? noValue(option) && setFlag(result_.records)
                                              : (fail("unknown option for search: " + option), false);
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
                if (!choice(option, {"all", "corp", "runner"}, side))
                    return false;
                result_.filterList = kLists[side];
            } else if (!noValue(option) || !setFlag(option == "--fold" ? result_.filterFold : result_.records)) {
                return false;
            }
        }
        for (std::size_t i = 0; i < words.size(); ++i)
            result_.filterText.append(i == 0 ? "" : " ").append(words[i]);
        return true;
    }

    static bool isFilterOption(std::string_view arg)
    {
        for (std::string_view option : {"--side", "--fold", "--records"}) {
            if (arg == option || (arg.starts_with(option) && arg[option.size()] == '='))
                return true;
        }
        return false;
    }

    static bool setFlag(bool& flag)
    {
        flag = true;
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

const char* CommandLine::usage()
{
    // Also the source of the manual page (help2man): commands and options
    // each on a line of their own, indented, the text from column 23.
    return "Usage: voxtarn-find [-C DIR] [--encoding utf-8|cp932] list all|runner|corp [--records]\n"
           "  or:  voxtarn-find [-C DIR] [--encoding utf-8|cp932] search [SEARCH OPTION]...\n"
           "  or:  voxtarn-find [-C DIR] [--encoding utf-8|cp932] filter [FILTER OPTION]... [WORD]...\n"
           "  or:  voxtarn-find [-C DIR] check\n"
           "  or:  voxtarn-find --help | --version\n"
           "\n"
           "Lists and searches the cards of corp.txt and runner.txt (Shift-JIS, or UTF-8\n"
           "converted as read) in DIR (default: the current directory).\n"
           "\n"
           "Commands:\n"
           "  list all|runner|corp  one line per card: rate, name, type, note, illust,\n"
           "                        tab-separated; all is the Corporate cards, then the\n"
           "                        Runner cards\n"
           "  search                the cards of one side whose name or type matches\n"
           "                        its TEXT, and whose rarity is --rate when given\n"
           "  filter [WORD]...      the cards in which every WORD stands, as list\n"
           "                        prints them; the words, joined by spaces, are\n"
           "                        read as the window's filter box reads its text\n"
           "  check                 reports every format problem of both files as\n"
           "                        FILE:LINE: text, then the cards of each file\n"
           "\n"
           "Options:\n"
           "  -C DIR                read the data files from DIR\n"
           "  --encoding utf-8|cp932\n"
           "                        of the output and of TEXT (default utf-8; cp932\n"
           "                        passes the file's bytes through unchanged)\n"
           "  --records             print whole records in the data-file format\n"
           "                        instead of lines\n"
           "  -h, --help            show this help and exit\n"
           "  --version             show the version and exit\n"
           "\n"
           "Search options:\n"
           "  --side corp|runner    the side to search (default corp)\n"
           "  --name TEXT           card name to match (default empty)\n"
           "  --type TEXT           card type to match (default empty)\n"
           "  --rate TEXT           rarity, the whole text, A-Z matching a-z (default\n"
           "                        empty: any rarity)\n"
           "  --mode exact|prefix|partial\n"
           "                        how name and type match: the whole text, its\n"
           "                        beginning or any part, A-Z matching a-z\n"
           "                        (default exact)\n"
           "  --fold                fold kana and character width: hiragana match\n"
           "                        katakana, half-width katakana (a voiced mark\n"
           "                        joined to its letter) match full-width ones,\n"
           "                        full-width ASCII matches ASCII, in the name,\n"
           "                        type and rarity alike\n"
           "\n"
           "Filter options:\n"
           "  --side all|corp|runner\n"
           "                        the cards to filter: those of list all (the\n"
           "                        default), list corp or list runner\n"
           "  --fold                fold kana and character width as search --fold\n"
           "  --                    every argument after it is a WORD; before it, an\n"
           "                        argument that is none of these options is a WORD\n"
           "                        too, whatever it begins with\n"
           "\n"
           "Filter words: a card shows when every WORD stands in one of its fields,\n"
           "A-Z matching a-z. A prefix limits a WORD to some fields: n: (or 名:) the\n"
           "name, t: (種:) the type, x: (文:) the rules text and the note, i: (絵:) the\n"
           "illustrator, r: (頻:) the rarity. -WORD leaves out the cards it matches.\n"
           "\"TEXT\" is a phrase with spaces, text only. A WORD that CP932 cannot hold\n"
           "matches no card.\n"
           "\n"
           "Exit status: 0 cards printed (check: no problem), 1 none (check: problems),\n"
           "2 error. Messages go to standard error as FILE:LINE: text.\n";
}
