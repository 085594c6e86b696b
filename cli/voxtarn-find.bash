# bash completion for voxtarn-find: commands, options and their values,
# folders for -C.
_voxtarn_find()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        -C)
            _filedir -d
            return ;;
        --encoding)
            COMPREPLY=($(compgen -W 'utf-8 cp932' -- "$cur"))
            return ;;
        --side)
            COMPREPLY=($(compgen -W 'corp runner' -- "$cur"))
            return ;;
        --mode)
            COMPREPLY=($(compgen -W 'exact prefix partial' -- "$cur"))
            return ;;
        --name | --type | --rate)
            return ;;
    esac

    # The command word, if one stands before the word being completed.
    local i command=""
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            -C | --encoding) ((i++)) ;;
            list | search | check) command=${words[i]}; break ;;
        esac
    done

    case $command in
        "")
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '-C --encoding --help --version' -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'list search check' -- "$cur"))
            fi ;;
        list)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '--records' -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'all runner corp' -- "$cur"))
            fi ;;
        search)
            COMPREPLY=($(compgen -W '--side --name --type --rate --mode --fold --records' -- "$cur")) ;;
    esac
} && complete -F _voxtarn_find voxtarn-find
