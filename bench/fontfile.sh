#!/usr/bin/env bash
# Times texelsmithy-cli export of a font file against the same export of the installed family:
# Liberation Sans at 12 points, the 191 printable Windows-1252 characters, RLE with C source,
# once with --font "Liberation Sans" and once with --font-file naming the family's file
# (copied beside the outputs, so fontconfig does not know it). The two run in alternating
# rounds under hyperfine; the figure is the median of the round medians, and the goal is at
# most 1.2x. The two fonts must come out byte for byte alike.
#
# Needs hyperfine and fonts-liberation; builds the release texelsmithy-cli first, in
# $BUILD_DIR (default build/bench).
# Usage: bench/fontfile.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-5}
font_file=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
for need in hyperfine "$font_file"; do
    command -v "$need" >/dev/null || [ -f "$need" ] || { echo "fontfile.sh needs $need" >&2; exit 1; }
done

source bench/release-cli.sh
source bench/medians.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$font_file" "$work/sans.ttf"
for code in $(seq 32 126) $(seq 160 255); do printf "\\$(printf %03o "$code")"; done |
    iconv -f CP1252 -t UTF-8 >"$work/chars.txt"

common="--size 12 --chars-file chars.txt --c out.h --force"
files=()
for r in $(seq 1 "$rounds"); do
    hyperfine --style none --output=pipe --warmup 1 --runs 10 --export-csv "$work/round-$r.csv" \
        -n installed "cd '$work' && '$tool' export --font 'Liberation Sans' $common -o installed.zgf" \
        -n file "cd '$work' && '$tool' export --font-file sans.ttf $common -o file.zgf" >/dev/null
    files+=("$work/round-$r.csv")
done
cmp -s "$work/installed.zgf" "$work/file.zgf" || { echo "the two exports differ" >&2; exit 1; }
"$tool" info "$work/file.zgf" --json | grep -q '"Count":191' || { echo "the export lost glyphs" >&2; exit 1; }

installed=$(median_of installed 4 "${files[@]}")
file=$(median_of file 4 "${files[@]}")
awk -v i="$installed" -v f="$file" \
    'BEGIN { printf "font file export: installed %.1f ms, file %.1f ms, ratio %.2fx (goal at most 1.2x)\n", i * 1000, f * 1000, f / i }'
