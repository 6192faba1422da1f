# Bash completion for zyntext: its commands, their options, the values of the options that take
# a fixed set of them, and file names for the rest. Installed as
# share/bash-completion/completions/zyntext; the tool's tests compare the commands and options
# below with its --help.

_zyntext() {
    local cur prev words cword
    _init_completion || return

    local commands="dump build hqr expand names diff po check charsets"
    local toplevel="--help --version"
    # The options of each command (or subcommand); --help is offered with every one.
    local -A options=(
        [dump]="--game --charset --remap --item"
        [build]="--header --charset --remap --substitute --wait"
        [diff]="--game --charset --remap"
        [charsets]=""
        [po export]="--game --charset --remap -o --from --to --template --memory"
        [po import]="--game --charset --remap --fuzzy --force --substitute --wait"
        [check]="--game --charset --from --to --max-lines --untranslated --spelling --language"
        [hqr list]="--table"
        [hqr extract]="--expand"
        [hqr replace]="--item-file --wait"
        [expand]=""
        [names]="--demo --numbers"
    )
    # Options followed by a value, and the values of those that take a fixed set.
    local valued="--game --remap --item --charset -o --from --to --wait --max-lines --language --memory"
    local charsets="western greek cyrillic hebrew arabic armenian czech esperanto
        nordic-bopomofo nordic-portuguese polish thai turkish vietnamese"

    if ((cword == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$commands $toplevel" -- "$cur")
        return
    fi
    case $prev in
    --game)
        mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
        return
        ;;
    --charset)
        mapfile -t COMPREPLY < <(compgen -W "$charsets" -- "$cur")
        return
        ;;
    --item | --wait | --max-lines) return ;;
    --from | --to | --language)
        mapfile -t COMPREPLY < <(compgen -W "EN FR DE SP IT PO" -- "$cur")
        return
        ;;
    --remap | --memory)
        _filedir
        return
        ;;
    esac

    # The words that are neither options nor their values: hqr's subcommand, names' game.
    local operands=() i
    for ((i = 2; i < cword; i++)); do
        if [[ ${words[i]} == -* ]]; then
            [[ " $valued " == *" ${words[i]} "* ]] && ((i++))
        else
            operands+=("${words[i]}")
        fi
    done

    local command=${words[1]}
    local key=$command
    if [[ $command == hqr || $command == po ]]; then
        if ((${#operands[@]} == 0)); then
            local actions="list extract replace"
            [[ $command == po ]] && actions="export import"
            mapfile -t COMPREPLY < <(compgen -W "$actions --help" -- "$cur")
            return
        fi
        key="$command ${operands[0]}"
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${options[$key]} --help" -- "$cur")
        return
    fi
    [[ $command == charsets ]] && return
    if [[ $command == names ]]; then
        ((${#operands[@]} == 0)) && mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
        return
    fi
    _filedir
}
complete -F _zyntext zyntext
