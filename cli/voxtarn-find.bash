# SPDX-License-Identifier: MIT
# bash completion for voxtarn-find: commands, options and their values,
# folders for -C.
_voxtarn_find()
{
    local cur prev words cword
    _init_completion || return

    # The command word, if one stands before the word being completed.
    local i command=""
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            -C | --encoding) ((i++)) ;;
            list | search | filter | check) command=${words[i]}; break ;;
        esac
    done

    # After filter's "--" every word is a filter word.
    if [[ $command == filter ]]; then
        for ((i = 1; i < cword; i++)); do
            [[ ${words[i]} == -- ]] && return
        done
    fi

    case $prev in
        -C)
            _filedir -d
            return ;;
        --encoding)
            COMPREPLY=($(compgen -W 'utf-8 cp932' -- "$cur"))
            return ;;
        --side)
            if [[ $command == filter ]]; then
                COMPREPLY=($(compgen -W 'all corp runner' -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'corp runner' -- "$cur"))
            fi
            return ;;
        --mode)
            COMPREPLY=($(compgen -W 'exact prefix partial' -- "$cur"))
            return ;;
        --name | --type | --rate)
            return ;;
    esac

    # The options of the command, and the words it takes otherwise.
    local options words_here
    case $command in
        "") options='-C --encoding --help --version' words_here='list search filter check' ;;
        list) options='--records' words_here='all runner corp' ;;
        search) options='--side --name --type --rate --mode --fold --records' words_here=$options ;;
        filter)
            # Its words are the user's own; a "-" begins an option or an excluding word.
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '--side --fold --records --' -- "$cur"))
            fi
            return ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        COMPREPLY=($(compgen -W "$words_here" -- "$cur"))
    fi
} && complete -F _voxtarn_find voxtarn-find
