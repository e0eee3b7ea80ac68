#!/usr/bin/env bash
# Times the C source writer and the embedded-font scanner against the standard tools on the
# same files, on this machine:
#   texelsmithy-cli to-c of a 64 MiB random file     against  xxd -i of that file
#   texelsmithy-cli extract (the list) of a 256 MiB
#   file with 100 planted fonts                      against  grep -c -a -F for "ZGF\0"
#   texelsmithy-cli export of Liberation Sans 72 pt,
#   the 191 printable Windows-1252 characters        against  otf2bdf and lv_font_conv
# Each pair runs in alternating rounds under hyperfine (ours, theirs, ours, theirs...); the
# figure of a command is the median of its round medians. Output goes through a pipe:
# grep stops at the first match when it writes to /dev/null.
#
# Needs hyperfine and xxd (Debian packages hyperfine and xxd); not part of ./test, so the
# set-up script does not install them. Builds the release texelsmithy-cli first, in
# $BUILD_DIR (default build/bench).
# Usage: bench/compare.sh [ROUNDS]    (TMPDIR chooses where the files go)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-5}
for tool in hyperfine xxd grep cmake; do
    command -v "$tool" >/dev/null || { echo "compare.sh needs $tool" >&2; exit 1; }
done

source bench/release-cli.sh
source bench/medians.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A 76-byte header that the scanner accepts: version 1, flags 33, 10 points, the name
# "Planted", 1000 bytes stated, glyph data at 456 (95 characters with indent tables).
planted_header() {
    printf 'ZGF\x00\x01\x21\x00\x0a'
    printf 'Planted'; head -c 25 /dev/zero
    printf '\xe8\x03\x00\x00\xc8\x01\x00\x00'
    head -c 25 /dev/zero
    printf '\x5f\x00\x00'
}

echo "Making the files in $work"
head -c 64M /dev/urandom >"$work/random64.bin"
head -c 256M /dev/urandom >"$work/fonts256.bin"
planted_header >"$work/header.bin"
[ "$(stat -c %s "$work/header.bin")" -eq 76 ] || { echo "bad planted header" >&2; exit 1; }
for i in $(seq 0 99); do
    dd if="$work/header.bin" of="$work/fonts256.bin" bs=1 seek=$((i * 2684000 + 1234)) \
        conv=notrunc status=none
done
printf 'ZGF\x00' >"$work/magic.bin"

found=$("$tool" extract "$work/fonts256.bin" | grep -c 'Planted 10')
[ "$found" -eq 100 ] || { echo "the scan found $found of the 100 planted fonts" >&2; exit 1; }

# Wall time with its rate, and processor time (user + system), of one command.
figures() {
    local command=$1 mib=$2; shift 2
    local wall user system
    wall=$(median_of "$command" 4 "$@")
    user=$(median_of "$command" 5 "$@")
    system=$(median_of "$command" 6 "$@")
    awk -v w="$wall" -v u="$user" -v s="$system" -v m="$mib" \
        'BEGIN { printf " %.3f s, %.0f MB/s, cpu %.3f s", w, m * 1.048576 / w, u + s }'
}

# compare NAME WARMUPS RUNS OURS THEIRS MEBIBYTES
compare() {
    local name=$1 warmups=$2 runs=$3 ours=$4 theirs=$5 mib=$6
    local files=()
    for r in $(seq 1 "$rounds"); do
        hyperfine --style none --output=pipe --warmup "$warmups" --runs "$runs" --export-csv "$work/$name-$r.csv" \
            -n ours "$ours" -n theirs "$theirs" >/dev/null
        files+=("$work/$name-$r.csv")
    done
    local ours_wall theirs_wall
    ours_wall=$(median_of ours 4 "${files[@]}")
    theirs_wall=$(median_of theirs 4 "${files[@]}")
    echo "$name: ours$(figures ours "$mib" "${files[@]}");" \
        "theirs$(figures theirs "$mib" "${files[@]}");" \
        "ratio $(awk -v a="$ours_wall" -v b="$theirs_wall" 'BEGIN { printf "%.1fx", b / a }')"
}

compare to-c 0 2 "'$tool' to-c '$work/random64.bin' -o '$work/out.h' --force" \
    "xxd -i '$work/random64.bin' > '$work/xxd.h'" 64
compare extract 1 5 "'$tool' extract '$work/fonts256.bin'" \
    "grep -c -a -F -f '$work/magic.bin' '$work/fonts256.bin'" 256

# Whole-process font export: texelsmithy-cli export of Liberation Sans at 72 points (96
# pixels), the 191 printable Windows-1252 characters, RLE with C source, against otf2bdf
# and lv_font_conv making the same glyphs from the same font file. The three run in
# alternating rounds too. Needs otf2bdf (Debian package otf2bdf) and npm, which installs
# lv_font_conv into the temporary folder (or set LV_FONT_CONV to its path); skipped when
# they are missing.
compare_export() {
    local font_file=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
    local converter=${LV_FONT_CONV:-}
    if [ -z "$converter" ] && command -v npm >/dev/null; then
        npm install --prefix "$work/npm" --no-audit --no-fund --silent lv_font_conv >/dev/null 2>&1 &&
            converter=$work/npm/node_modules/.bin/lv_font_conv
    fi
    if ! command -v otf2bdf >/dev/null || [ ! -x "$converter" ] || [ ! -f "$font_file" ]; then
        echo "export: skipped (needs otf2bdf, lv_font_conv through npm, and fonts-liberation)"
        return
    fi
    local out=$work/export
    mkdir -p "$out"
    for code in $(seq 32 126) $(seq 160 255); do printf "\\$(printf %03o "$code")"; done |
        iconv -f CP1252 -t UTF-8 >"$out/chars.txt"

    local files=()
    for r in $(seq 1 "$rounds"); do
        # otf2bdf ends with status 8 even when it has written the font (checked below).
        hyperfine --style none --output=pipe --warmup 1 --runs 5 \
            --export-csv "$work/export-$r.csv" \
            -n ours "cd '$out' && '$tool' export --font 'Liberation Sans' --size 72 --chars-file chars.txt -o lib72.zgf --c lib72.h --force" \
            -n otf2bdf "otf2bdf -p 72 -r 96 -l '32_126 160_255' -o '$out/lib72.bdf' '$font_file' || true" \
            -n lv_font_conv "'$converter' --font '$font_file' --size 96 --bpp 1 -r 0x20-0x7E -r 0xA0-0xFF --format lvgl -o '$out/lib96.c'" \
            >/dev/null
        files+=("$work/export-$r.csv")
    done
    [ "$(grep -c STARTCHAR "$out/lib72.bdf")" -eq 191 ] || { echo "otf2bdf did not make 191 glyphs" >&2; exit 1; }
    "$tool" info "$out/lib72.zgf" --json | grep -q '"Count":191' || { echo "the export lost glyphs" >&2; exit 1; }
    # Wall time is the figure; processor time (user + system) says more on a busy machine.
    local line="export:" wall cpu
    declare -A walls cpus
    for command in ours otf2bdf lv_font_conv; do
        wall=$(median_of "$command" 4 "${files[@]}")
        cpu=$(awk -v u="$(median_of "$command" 5 "${files[@]}")" -v s="$(median_of "$command" 6 "${files[@]}")" \
            'BEGIN { print u + s }')
        walls[$command]=$wall
        cpus[$command]=$cpu
        line+=$(awk -v n="$command" -v w="$wall" -v c="$cpu" 'BEGIN { printf " %s %.1f ms (cpu %.1f ms);", n, w * 1000, c * 1000 }')
    done
    echo "$line"
    awk -v o="${walls[ours]}" -v b="${walls[otf2bdf]}" -v l="${walls[lv_font_conv]}" \
        -v oc="${cpus[ours]}" -v bc="${cpus[otf2bdf]}" -v lc="${cpus[lv_font_conv]}" \
        'BEGIN { printf "export: ours/otf2bdf %.1fx (cpu %.1fx; goal at most 2.5x), lv_font_conv/ours %.1fx (cpu %.1fx; goal at least 8x)\n", o / b, oc / bc, l / o, lc / oc }'
}
compare_export
