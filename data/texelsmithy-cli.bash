# Bash completion of texelsmithy-cli: its commands, the options of each command (read from
# the command's --help, so they follow the tool), the files a command or option takes, and
# the installed font families after --font.

# The code page names a command's --help lists after "(default 1252):".
_texelsmithy_cli_codepages()
{
    "$1" "$2" --help 2>/dev/null | tr -s ' \n' ' ' | sed -n 's/.*(default 1252): \([^.]*\)\..*/\1/p' | tr -d ','
}

# The commands the tool lists in its --help.
_texelsmithy_cli_commands()
{
    "$1" --help 2>/dev/null | sed -n '/^Commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p'
}

# The options of a command's --help, one a line; with "values", only those that take a value.
_texelsmithy_cli_options()
{
    local line
    while IFS= read -r line; do
        [[ $line =~ ^\ \ (-[-a-zA-Z0-9]+)(,\ (--[-a-zA-Z0-9]+))?(\ <)? ]] || continue
        [[ ${2-} == values && -z ${BASH_REMATCH[4]} ]] && continue
        printf '%s\n' "${BASH_REMATCH[1]}" ${BASH_REMATCH[3]:+"${BASH_REMATCH[3]}"}
    done <<<"$1"
}

_texelsmithy_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    local tool=${words[0]} command=${words[1]}
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$(_texelsmithy_cli_commands "$tool") help --help --version" -- "$cur"))
        return
    fi
    if [[ $command == help ]]; then
        ((cword == 2)) && COMPREPLY=($(compgen -W "$(_texelsmithy_cli_commands "$tool")" -- "$cur"))
        return
    fi

    case $command:$prev in
    text:--font) _filedir zgf; return ;;
    text:@(-f|--file)) _filedir; return ;;
    text:@(-o|--output)) _filedir h; return ;;
    *:--codepage)
        COMPREPLY=($(compgen -W "$(_texelsmithy_cli_codepages "$tool" "$command")" -- "$cur"))
        return
        ;;
    *:--font)
        # Family names hold spaces: one name a line, quoted by readline as file names are.
        local IFS=$'\n' typed=${cur#[\"\']}
        COMPREPLY=($(compgen -W "$("$tool" fonts 2>/dev/null)" -- "${typed//\\/}"))
        compopt -o filenames 2>/dev/null
        return
        ;;
    *:--size)
        COMPREPLY=($(compgen -W '8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72' -- "$cur"))
        return
        ;;
    @(export|bitmaps|info):@(--bitmap|--mask)) _filedir bmp; return ;;
    *:--chars-file) _filedir; return ;;
    export:--depfile) _filedir d; return ;;
    # The font files the window's Open font file dialog lists; _filedir adds the capitals.
    *:--font-file) _filedir 'ttf|otf|ttc|otc|bdf|pcf|pcf.gz|otb'; return ;;
    *:--hinting)
        COMPREPLY=($(compgen -W 'none slight full' -- "$cur"))
        return
        ;;
    *:@(-c|--c) | to-c:@(-o|--output)) _filedir h; return ;;
    @(export|extract):@(-o|--output)) _filedir zgf; return ;;
    new:@(-o|--output)) _filedir tsm; return ;;
    render:@(-o|--output)) _filedir png; return ;;
    @(export|extract):@(-d|--directory)) _filedir -d; return ;;
    esac

    local help
    help=$("$tool" "$command" --help 2>/dev/null) || return
    # Any other value (a number, a colour, a text) is the person's to type.
    [[ $prev == -* ]] && grep -qxF -- "$prev" <<<"$(_texelsmithy_cli_options "$help" values)" && return
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_texelsmithy_cli_options "$help")" -- "$cur"))
        return
    fi
    case $command in
    export | bitmaps) _filedir tsm ;;
    info) _filedir '@(tsm|zgf)' ;;
    render) _filedir zgf ;;
    extract | to-c) _filedir ;;
    esac
} &&
    complete -F _texelsmithy_cli texelsmithy-cli
