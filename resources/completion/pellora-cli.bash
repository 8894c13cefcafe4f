# bash completion for pellora-cli

_pellora_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="ls search show clip add edit rm generate export import export-text encrypt
        decrypt change-masters check help"
    local rules="--case-sensitive --no-case-sensitive --allow-space --no-allow-space
        --require-mix --no-require-mix --require-special --no-require-special --min-length
        --max-length"
    local entry="--description --login --generate --expire-days --start $rules"

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --masters-stdin) ;;
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
        --sort)
            COMPREPLY=($(compgen -W "id description login expiry" -- "$cur"))
            return ;;
        --delimiter)
            COMPREPLY=($(compgen -W "Comma Semicolon Space TAB" -- "$cur"))
            return ;;
        --description | --login | --expire-days | --start | --min-length | --max-length | \
            --timeout)
            return ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --masters-stdin --help --version" -- "$cur"))
        return
    fi

    local options="" files=false
    case $command in
        ls | search) options="--sort --reverse --json" ;;
        show) options="--show-password --json" ;;
        clip) options="--login --timeout" ;;
        add) options=$entry ;;
        edit) options="$entry --password" ;;
        generate) options=$rules ;;
        export | import) files=true ;;
        export-text)
            options="--description --password --validation-rules --headings --rows --delimiter
                --append"
            files=true ;;
        encrypt | decrypt) options="--file-password --add"; files=true ;;
        help)
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            return ;;
    esac

    if [[ $cur == -* || $files == false ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    else
        _filedir
    fi
}
complete -F _pellora_cli pellora-cli
