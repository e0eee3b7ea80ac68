#!/usr/bin/env bash
# The completion of texelsmithy-cli, sourced into bash as bash-completion loads it, asked
# for the completions of command lines in a folder of files of every kind.
# Usage: completion_test.sh TEXELSMITHY_CLI COMPLETION_SCRIPT
set -uo pipefail
cli=$(realpath "$1")
source /usr/share/bash-completion/bash_completion
source "$2"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" && touch glyphs.tsm face.ttf font.zgf glyphs.bmp chars.txt strip.png font.h && mkdir fonts
# Font files of every kind the window opens, and a compressed file that is none.
touch faces.otc misc.pcf.gz BOLD.TTF notes.gz font.d

# The words after the tool's name, separated by ";" (the last one, empty after a final ";",
# is completed), then the completions expected, sorted and separated by "|".
cases=(
    'ex|export|extract'
    'help;r|render'
    'export;|fonts|glyphs.tsm'
    'info;|font.zgf|fonts|glyphs.tsm'
    'render;--mask;|font.zgf|fonts'
    'bitmaps;--mask;|fonts|glyphs.bmp'
    'export;--c;|font.h|fonts'
    'new;-o;|fonts|glyphs.tsm'
    'render;-o;|fonts|strip.png'
    'extract;-d;|fonts'
    'export;-d;|fonts'
    'export;--output=|font.zgf|fonts'
    'export;--chars|--chars|--chars-file'
    'export;--depfile;|font.d|fonts'
    'extract;--|--all|--directory|--force|--help|--offset|--output'
    'render;--scale;|'
    'new;--size;2|20|22|24|26|28'
    'new;--font-file;|BOLD.TTF|face.ttf|faces.otc|fonts|misc.pcf.gz'
    'new;--shadow-|--shadow-color|--shadow-default|--shadow-mask|--shadow-neutral'
    'info;--no-|--no-invert-mask|--no-masked|--no-postprocessed|--no-script|--no-serif'
    'new;--char-inc;|'
    'export;--gp32-name;|'
    'export;--hinting;s|slight'
    'export;--font;Liberation\ Ser|Liberation Serif'
    'export;--font;"Liberation Ser|Liberation Serif'
    'export;--codepage;koi|koi8-r|koi8-u'
    'render;--codepage;iso-8859-1|iso-8859-1|iso-8859-15'
    'text;--font;|font.zgf|fonts'
    'text;-o;|font.h|fonts'
)
failures=0
for case in "${cases[@]}"; do
    IFS='|' read -r words expected <<<"$case"
    IFS=';' read -ra COMP_WORDS <<<"$words"
    [[ $words == *';' ]] && COMP_WORDS+=('')
    COMP_WORDS=("$cli" "${COMP_WORDS[@]}")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _texelsmithy_cli
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd'|')
    if [ "$got" != "$expected" ]; then
        echo "FAIL: texelsmithy-cli ${words//;/ }<Tab> gives '$got', not '$expected'" >&2
        failures=$((failures + 1))
    fi
done
# Every code page of a command's --help, and nothing else.
for command in export info new bitmaps render to-c text; do
    listed=$("$cli" "$command" --help | tr -s ' \n' ' ' | grep -o '(default 1252): [^.]*' | cut -d: -f2 | tr -d ',' | xargs -n1 | sort | paste -sd'|')
    COMP_WORDS=("$cli" "$command" --codepage '')
    COMP_CWORD=3 COMP_LINE="${COMP_WORDS[*]}" COMP_POINT=${#COMP_LINE} COMPREPLY=()
    _texelsmithy_cli
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd'|')
    if [ -z "$listed" ] || [ "$got" != "$listed" ]; then
        echo "FAIL: texelsmithy-cli $command --codepage <Tab> gives '$got', its --help lists '$listed'" >&2
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ] || exit 1
echo "completion: ${#cases[@]} command lines complete as expected"
