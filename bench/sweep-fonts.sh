#!/usr/bin/env bash
# Exports every installed font family, regular, bold and italic, at 9.75 and 24 points, in the ways
# a user does, and compiles every C header as strict C99 (gcc -std=c99 -pedantic-errors
# -Wall -Werror). For each family, style and size it writes, in a folder of its own:
#   doc.tsm, font.zgf, font.h     the project, its RLE font and C source
#   info.json                     info --json of the project (sizes of both codings)
#   spaced.zgf                    RAW, with glyph cells 3 columns wider and 2 rows higher
#   pp.tsm, pp*.bmp, mask*.bmp    a post-processed masked project (odd cell and mask
#                                 increments), its bitmaps for editing spread over 3 files
#   pp.zgf, pp.h, pp.c, pp.json   the font made from those bitmaps, its split C source, info
# Prints one line per step that fails (the family, the style, the size, and the tool's or
# the compiler's last message) and exits 1 when any does.
#
# With -o DIR the folders stay in DIR, so that the outputs of two versions of the program
# can be compared with diff -r; with -c as well, each folder keeps only the checksums of its
# files (sums.md5), for sweeps too large to keep. -s and -t give other sizes and styles, and
# families named after the options replace the installed ones:
#   bench/sweep-fonts.sh -o /tmp/sweep-a                  (then -o /tmp/sweep-b, diff -r)
#   bench/sweep-fonts.sh -o /tmp/large -c -s "96 128" -t regular "Liberation Sans" "Z003"
#
# Not part of ./test: what it finds depends on the fonts of the machine. Builds the release
# texelsmithy-cli first, in $BUILD_DIR (default build/bench), unless $TEXELSMITHY_CLI names
# one; $CC chooses the compiler (default gcc).
# Usage: bench/sweep-fonts.sh [-o DIR [-c]] [-s SIZES] [-t STYLES] [FAMILY...]
set -euo pipefail
cd "$(dirname "$0")/.."

keep=
sums=
sizes="9.75 24"
styles="regular bold italic"
while getopts "o:cs:t:" option; do
    case $option in
        o) keep=$OPTARG ;;
        c) sums=yes ;;
        s) sizes=$OPTARG ;;
        t) styles=$OPTARG ;;
        *) echo "Usage: bench/sweep-fonts.sh [-o DIR [-c]] [-s SIZES] [-t STYLES] [FAMILY...]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))

cc=${CC:-gcc}
tool=${TEXELSMITHY_CLI:-}
[ -n "$tool" ] || source bench/release-cli.sh

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    out=$(cd "$keep" && pwd)
else
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi

if [ $# -gt 0 ]; then
    families=("$@")
else
    mapfile -t families < <("$tool" fonts)
fi

# Writes a little-endian 16-bit value at an offset of a project file.
poke16() {
    local file=$1 offset=$2 value=$3
    printf "\\$(printf %03o $((value & 255)))\\$(printf %03o $(((value >> 8) & 255)))" |
        dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

# Offsets of the project file's settings (16-bit; Booleans are -1 or 0).
readonly Postprocessed=115 CharHeightInc=117 CharWidthInc=119 Masked=121 MaskHeightInc=131 MaskWidthInc=133

# step WHAT COMMAND...: runs a command in the current folder; on failure prints why.
step() {
    local what=$1; shift
    if "$@" >log 2>&1; then
        return 0
    fi
    failures=$((failures + 1))
    printf '%s: %s: %s\n' "$case" "$what" "$(grep -v '^Note:' log | tail -n 1)"
    return 1
}

strict_c() {
    "$cc" -std=c99 -pedantic-errors -Wall -Werror -x c -c "$1" -o /dev/null
}

cases=0
failures=0
for family in "${families[@]}"; do
    for style in $styles; do
        for size in $sizes; do
            cases=$((cases + 1))
            case="$family, $style, $size pt"
            options=(--font "$family" --size "$size")
            [ "$style" = regular ] || options+=("--$style")
            folder="$out/$(printf '%s' "$family" | tr -c 'A-Za-z0-9' '_')-$style-$size"
            rm -rf "$folder"
            mkdir -p "$folder"
            cd "$folder"
            step new "$tool" new -o doc.tsm "${options[@]}" || { cd - >/dev/null; continue; }
            if step export "$tool" export doc.tsm -o font.zgf --c font.h; then
                step "C of the export" strict_c font.h || true
            fi
            step info "$tool" info doc.tsm --json || true
            cp log info.json

            cp doc.tsm spaced.tsm
            poke16 spaced.tsm $CharWidthInc 3
            poke16 spaced.tsm $CharHeightInc 2
            step "spaced export" "$tool" export spaced.tsm --raw -o spaced.zgf || true

            cp doc.tsm pp.tsm
            poke16 pp.tsm $Postprocessed -1
            poke16 pp.tsm $Masked -1
            poke16 pp.tsm $CharWidthInc 1
            poke16 pp.tsm $CharHeightInc 1
            poke16 pp.tsm $MaskWidthInc 3
            poke16 pp.tsm $MaskHeightInc 2
            edited=(--bitmap pp.bmp --mask mask.bmp)
            if step bitmaps "$tool" bitmaps pp.tsm "${edited[@]}" --split 3; then
                if step "post-processed export" "$tool" export pp.tsm "${edited[@]}" -o pp.zgf --c pp.h --split; then
                    step "C of the post-processed export" strict_c pp.c || true
                fi
                step "post-processed info" "$tool" info pp.tsm "${edited[@]}" --json || true
                cp log pp.json
            fi
            rm -f log
            if [ -n "$sums" ]; then
                md5sum -- * >../sums.md5 && rm -f -- * && mv ../sums.md5 .
            fi
            cd - >/dev/null
        done
    done
done
echo "${#families[@]} families, $cases documents (sizes $sizes): $failures steps failed."
[ "$failures" -eq 0 ]
