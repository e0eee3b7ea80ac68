#!/usr/bin/env bash
# The manual pages against the programs: every option a --help prints (the program's,
# texelsmithy-cli's and each of its commands') tags a paragraph of the page: a command's
# under the command's heading, or in OPTIONS, or in a section that the command's text names
# (DOCUMENT OPTIONS). Every command has its heading.
# Usage: manpages_test.sh TEXELSMITHY TEXELSMITHY_CLI DATA_DIR
set -euo pipefail
gui=$1
cli=$2
data=$3
missing=()

# The options a help text names, one a line.
options() { grep -oE '(^|[][ |,(])--?[a-zA-Z][-a-zA-Z0-9]*' | sed 's/^[^-]*-/-/' | sort -u; }

# The page as roff without the dashes' escapes and font changes.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/"//g' "$1"; }

# "SECTION|COMMAND|option" for every option in the tag of a paragraph (.TP); COMMAND is the
# first word of the subsection's heading, empty outside one.
tags() {
    plain "$1" | awk '
        /^\.SH / { section = substr($0, 5); command = ""; next }
        /^\.SS / { command = $2; next }
        tag { tag = 0; n = split($0, words, /[ ,]+/)
              for (i = 1; i <= n; i++) if (words[i] ~ /^--?[a-zA-Z]/) print section "|" command "|" words[i] }
        /^\.TP/ { tag = 1 }'
}

# The text under a command's heading.
body() { plain "$1" | awk -v c="$2" '/^\.S[HS] / { inside = ($1 == ".SS" && $2 == c); next } inside'; }

# check PAGE COMMAND HELP: records the options of HELP that the page does not describe.
check() {
    local page=$1 command=$2 help=$3 text found section option
    found=$(tags "$page")
    text=$(body "$page" "$command")
    for option in $(options <<<"$help"); do
        # The tool's own help names its commands' options too.
        [ -z "$command" ] && grep -qE "\|$option\$" <<<"$found" && continue
        grep -qxF "COMMANDS|$command|$option" <<<"$found" && continue
        grep -qxF "OPTIONS||$option" <<<"$found" && continue
        while IFS='|' read -r section _ _; do
            grep -qF "$section" <<<"$text" && grep -qxF "$section||$option" <<<"$found" && continue 2
        done < <(grep '^[^|]*||' <<<"$found" | sort -u -t'|' -k1,1)
        missing+=("$(basename "$page") ${command:-(tool)}: $option")
    done
}

check "$data/texelsmithy.1" "" "$("$gui" --help)"
check "$data/texelsmithy-cli.1" "" "$("$cli" --help)"
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || { echo "FAIL: no commands in texelsmithy-cli --help" >&2; exit 1; }
for command in $commands; do
    grep -q "^\.SS \"\{0,1\}$command\b" "$data/texelsmithy-cli.1" || missing+=("texelsmithy-cli.1: no heading for $command")
    check "$data/texelsmithy-cli.1" "$command" "$("$cli" "$command" --help)"
done

if [ ${#missing[@]} -gt 0 ]; then
    printf 'FAIL: not in the manual page: %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "manual pages: every option of every --help described ($(wc -w <<<"$commands") commands)"
