# Bash completion for zyntext: its commands, their options, the values of the options that take
# a fixed set of them, and file names for the rest. Installed as
# share/bash-completion/completions/zyntext; the tool's tests compare the commands and options
# below with its --help.

_zyntext() {
    local cur prev words cword
    _init_completion || return

    local commands="dump build hqr expand names diff po check status charsets"
    local toplevel="--help --version"
    # The options of each command (or subcommand); --help is offered with every one.
    local -A options=(
        [dump]="--game --charset --remap --item -o --output -q --quiet"
        [build]="--header --charset --remap --substitute --wait -o --output -q --quiet"
        [diff]="--game --charset --remap --json -o --output -q --quiet"
        [charsets]="-o --output -q --quiet"
        [po export]="--game --charset --remap -o --output --from --to --template --memory --language --project -q --quiet"
        [po import]="--game --charset --remap --fuzzy --force --substitute --wait --project --json -q --quiet"
        [check]="--game --charset --from --to --max-lines --fit --untranslated --spelling --language --project --glossary --consistency --json -o --output -q --quiet"
        [status]="--game --charset --from --to --project --glossary --json -o --output -q --quiet"
        [hqr list]="--table -o --output -q --quiet"
        [hqr extract]="--expand -o --output -q --quiet"
        [hqr replace]="--item-file --wait -q --quiet"
        [expand]="-o --output -q --quiet"
        [names]="--game --demo --numbers -o --output -q --quiet"
    )
    # Options followed by a value, and the values of those that take a fixed set.
    local valued="--game --remap --item --charset -o --output --from --to --wait --max-lines --language --memory --project --glossary"
    local charsets="western greek cyrillic hebrew arabic armenian czech esperanto
        nordic-bopomofo nordic-portuguese polish thai turkish vietnamese"

    if ((cword == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$commands help $toplevel" -- "$cur")
        return
    fi
    if [[ ${words[1]} == help ]]; then
        ((cword == 2)) && mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
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
    --language)
        mapfile -t COMPREPLY < <(compgen -W "EN FR DE SP IT PO" -- "$cur")
        return
        ;;
    --from | --to)
        # A language with an archive, else a text file.
        mapfile -t COMPREPLY < <(compgen -W "EN FR DE SP IT PO" -- "$cur")
        _filedir
        return
        ;;
    --remap | --memory | --project | --glossary | -o | --output)
        _filedir
        return
        ;;
    esac

    # The words that are neither options nor their values: hqr's and po's subcommand.
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
    [[ $command == charsets || $command == names ]] && return
    _filedir
}
complete -F _zyntext zyntext
