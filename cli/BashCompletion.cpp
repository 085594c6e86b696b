// SPDX-License-Identifier: MIT
#include "BashCompletion.h"

#include "FinderOptions.h"

#include <string_view>

namespace {
using finder_options::Option;

std::string spaced(std::string_view words)
{
    std::string text;
    finder_options::forEachWord(words, [&](std::string_view word) { text.append(text.empty() ? "" : " ").append(word); });
    return text;
}

// The options a scope takes, long names, in table order.
std::string optionNames(unsigned scope)
{
    std::string names;
    for (const Option& option : finder_options::options()) {
        if (option.scopes & scope)
            names.append(names.empty() ? "" : " ").append(option.name);
    }
    return names;
}

std::string commandWords(std::string_view separator)
{
    std::string words;
    for (const finder_options::Command& command : finder_options::commands())
        words.append(words.empty() ? "" : separator).append(command.word);
    return words;
}

std::string globalValueOptions()
{
    std::string names;
    for (const Option& option : finder_options::options()) {
        if ((option.scopes & finder_options::Global) && finder_options::takesValue(option))
            names.append(names.empty() ? "" : " | ").append(option.name);
    }
    return names;
}

std::string scopeCommand(unsigned scopes)
{
    if (scopes & finder_options::Global)
        return "*";
    for (const finder_options::Command& command : finder_options::commands()) {
        if (command.scope == scopes)
            return std::string(command.word);
    }
    return "*";
}

// One case for each option that takes a value: its words, folders for a DIR,
// nothing for a free text.
std::string valueCases()
{
    std::string cases;
    for (const Option& option : finder_options::options()) {
        if (!finder_options::takesValue(option))
            continue;
        cases.append("        ").append(scopeCommand(option.scopes)).append(":").append(option.name).append(")\n");
        if (!option.words.empty())
            cases.append("            COMPREPLY=($(compgen -W '").append(spaced(option.words)).append("' -- \"$cur\"))\n");
        else if (option.valueName == "DIR")
            cases.append("            _filedir -d\n");
        cases.append("            return ;;\n");
    }
    return cases;
}

// What each command completes: its options after a "-", otherwise the words
// it takes (its options when it takes none); a command of free words
// completes only its options.
std::string commandCases()
{
    std::string cases = "        \"\") options='" + optionNames(finder_options::Global) + "' words_here='" +
                        commandWords(" ") + "' ;;\n";
    for (const finder_options::Command& command : finder_options::commands()) {
        std::string options = optionNames(command.scope);
        cases.append("        ").append(command.word).append(") ");
        if (command.args == "FILE")
            cases.append("[[ $cur == -* ]] && COMPREPLY=($(compgen -W '").append(options).append("' -- \"$cur\"))"
                                                                                          " || _filedir\n"
                                                                                          "            return ;;\n");
        else if (command.args.starts_with("["))
            cases.append("[[ $cur == -* ]] && COMPREPLY=($(compgen -W '").append(options).append("' -- \"$cur\"))\n"
                                                                                          "            return ;;\n");
        else
            cases.append("options='").append(options).append("' words_here=")
                .append(command.args.empty() ? "$options" : "'" + spaced(command.args) + "'")
                .append(" ;;\n");
    }
    return cases;
}
}  // namespace

std::string BashCompletion::script()
{
    return "# SPDX-License-Identifier: MIT\n"
           "# bash completion for voxtarn-find: commands, options and their values,\n"
           "# folders for -C, files for deck. Written by the build from the finder's option table.\n"
           "_voxtarn_find()\n"
           "{\n"
           "    local cur prev words cword\n"
           "    _init_completion || return\n"
           "\n"
           "    # The command word, if one stands before the word being completed.\n"
           "    local i command=\"\"\n"
           "    for ((i = 1; i < cword; i++)); do\n"
           "        case ${words[i]} in\n"
           "            " + globalValueOptions() + ") ((i++)) ;;\n"
           "            " + commandWords(" | ") + ") command=${words[i]}; break ;;\n"
           "        esac\n"
           "    done\n"
           "\n"
           "    # After filter's \"--\" every word is a filter word.\n"
           "    if [[ $command == filter ]]; then\n"
           "        for ((i = 1; i < cword; i++)); do\n"
           "            [[ ${words[i]} == -- ]] && return\n"
           "        done\n"
           "    fi\n"
           "\n"
           "    case $command:$prev in\n" +
           valueCases() +
           "    esac\n"
           "\n"
           "    local options words_here\n"
           "    case $command in\n" +
           commandCases() +
           "        *) return ;;\n"
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -W \"$words_here\" -- \"$cur\"))\n"
           "    fi\n"
           "} && complete -F _voxtarn_find voxtarn-find\n";
}
