#!/usr/bin/env bash
# Exports every installed font family, regular and bold, at 9.75 and 24 points, with its C
# source, and compiles every header as strict C99 (gcc -std=c99 -pedantic-errors -Wall
# -Werror). Prints one line per export that fails (the family, the style, the size, and the
# tool's or the compiler's first message) and exits 1 when any does.
#
# Not part of ./test: what it finds depends on the fonts of the machine. Builds the release
# texelsmithy-cli first, in $BUILD_DIR (default build/bench), unless $TEXELSMITHY_CLI names
# one; $CC chooses the compiler (default gcc).
# Usage: bench/sweep-fonts.sh
set -euo pipefail
cd "$(dirname "$0")/.."

cc=${CC:-gcc}
tool=${TEXELSMITHY_CLI:-}
[ -n "$tool" ] || source bench/release-cli.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mapfile -t families < <("$tool" fonts)
exports=0
failures=0
for family in "${families[@]}"; do
    for style in regular bold; do
        for size in 9.75 24; do
            exports=$((exports + 1))
            options=(--font "$family" --size "$size")
            [ "$style" = bold ] && options+=(--bold)
            rm -f "$work"/font.*
            if ! "$tool" export "${options[@]}" -o "$work/font.zgf" --c "$work/font.h" >"$work/log" 2>&1; then
                why="export: $(grep -v '^Note:' "$work/log" | tail -n 1)"
            elif ! "$cc" -std=c99 -pedantic-errors -Wall -Werror -x c -c "$work/font.h" -o "$work/font.o" \
                    >"$work/log" 2>&1; then
                why="gcc: $(grep -m 1 'error' "$work/log")"
            else
                continue
            fi
            failures=$((failures + 1))
            printf '%s, %s, %s pt: %s\n' "$family" "$style" "$size" "$why"
        done
    done
done
echo "${#families[@]} families, $exports exports with C source: $failures failed."
[ "$failures" -eq 0 ]
