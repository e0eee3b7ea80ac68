#!/usr/bin/env bash
# Times the C source writer and the embedded-font scanner against the standard tools on the
# same files, on this machine:
#   texelsmithy-cli to-c of a 64 MiB random file     against  xxd -i of that file
#   texelsmithy-cli extract (the list) of a 256 MiB
#   file with 100 planted fonts                      against  grep -c -a -F for "ZGF\0"
#   texelsmithy-cli export of Liberation Sans 72 pt,
#   the 191 printable Windows-1252 characters        against  otf2bdf and lv_font_conv
#   texelsmithy-cli export of 20 such projects in
#   one run, the time per font                       against  otf2bdf making one
# Each pair runs in alternating rounds under hyperfine (ours, theirs, ours, theirs...); the
# figure of a command is the median of its round medians. Output goes through a pipe:
# grep stops at the first match when it writes to /dev/null.
#
# Needs hyperfine and xxd (Debian packages hyperfine and xxd); not part of ./test, so the
# set-up script does not install them. Builds the release texelsmithy-cli first, in
# $BUILD_DIR (default build/bench).
# Usage: bench/compare.sh [ROUNDS [all|files|export]]    (TMPDIR chooses where the files go)
# "files" runs the first two pairs, "export" the font exports.
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-5}
which_ones=${2:-all}
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

# The to-c and extract pairs.
compare_files() {
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
}

# Whole-process font export: texelsmithy-cli export of Liberation Sans at 72 points (96
# pixels), the 191 printable Windows-1252 characters, RLE with C source, against otf2bdf
# and lv_font_conv making the same glyphs from the same font file. The three run in
# alternating rounds too. Needs otf2bdf (Debian package otf2bdf); lv_font_conv is installed
# by npm into the temporary folder (or set LV_FONT_CONV to its path, or to "none" to leave it
# out) and left out when it cannot be had.
font_file=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
export_options="--font 'Liberation Sans' --size 72 --chars-file chars.txt --c lib72.h --force"
otf2bdf_line() { echo "otf2bdf -p 72 -r 96 -l '32_126 160_255' -o '$1/lib72.bdf' '$font_file' || true"; }

# The characters file in the folder $1.
write_characters() {
    for code in $(seq 32 126) $(seq 160 255); do printf "\\$(printf %03o "$code")"; done |
        iconv -f CP1252 -t UTF-8 >"$1/chars.txt"
}

# medians NAME... -- FILES...: "NAME WALL CPU" (seconds) of each command, the medians over
# the round files.
medians() {
    local names=() command
    while [ "$1" != -- ]; do names+=("$1"); shift; done
    shift
    for command in "${names[@]}"; do
        echo "$command $(median_of "$command" 4 "$@")" \
            "$(awk -v u="$(median_of "$command" 5 "$@")" -v s="$(median_of "$command" 6 "$@")" 'BEGIN { print u + s }')"
    done
}

compare_export() {
    local converter=${LV_FONT_CONV:-}
    if [ -z "$converter" ] && command -v npm >/dev/null; then
        npm install --prefix "$work/npm" --no-audit --no-fund --silent lv_font_conv >/dev/null 2>&1 &&
            converter=$work/npm/node_modules/.bin/lv_font_conv
    fi
    if ! command -v otf2bdf >/dev/null || [ ! -f "$font_file" ]; then
        echo "export: skipped (needs otf2bdf and fonts-liberation)"
        return
    fi
    local out=$work/export
    mkdir -p "$out"
    write_characters "$out"
    local commands=(-n ours "cd '$out' && '$tool' export $export_options -o lib72.zgf" -n otf2bdf "$(otf2bdf_line "$out")")
    local names=(ours otf2bdf)
    if [ -x "$converter" ]; then
        commands+=(-n lv_font_conv "'$converter' --font '$font_file' --size 96 --bpp 1 -r 0x20-0x7E -r 0xA0-0xFF --format lvgl -o '$out/lib96.c'")
        names+=(lv_font_conv)
    fi

    local files=()
    for r in $(seq 1 "$rounds"); do
        # otf2bdf ends with status 8 even when it has written the font (checked below).
        hyperfine --style none --output=pipe --warmup 1 --runs 5 --export-csv "$work/export-$r.csv" "${commands[@]}" >/dev/null
        files+=("$work/export-$r.csv")
    done
    [ "$(grep -c STARTCHAR "$out/lib72.bdf")" -eq 191 ] || { echo "otf2bdf did not make 191 glyphs" >&2; exit 1; }
    "$tool" info "$out/lib72.zgf" --json | grep -q '"Count":191' || { echo "the export lost glyphs" >&2; exit 1; }
    # Wall time is the figure; processor time (user + system) says more on a busy machine.
    declare -A walls cpus
    local line="export:" name wall cpu
    while read -r name wall cpu; do
        walls[$name]=$wall
        cpus[$name]=$cpu
        line+=$(awk -v n="$name" -v w="$wall" -v c="$cpu" 'BEGIN { printf " %s %.1f ms (cpu %.1f ms);", n, w * 1000, c * 1000 }')
    done < <(medians "${names[@]}" -- "${files[@]}")
    echo "$line"
    awk -v o="${walls[ours]}" -v b="${walls[otf2bdf]}" -v oc="${cpus[ours]}" -v bc="${cpus[otf2bdf]}" \
        'BEGIN { printf "export: ours/otf2bdf %.1fx (cpu %.1fx; goal at most 2.5x)\n", o / b, oc / bc }'
    if [ -n "${walls[lv_font_conv]:-}" ]; then
        awk -v o="${walls[ours]}" -v l="${walls[lv_font_conv]}" -v oc="${cpus[ours]}" -v lc="${cpus[lv_font_conv]}" \
            'BEGIN { printf "export: lv_font_conv/ours %.1fx (cpu %.1fx; goal at least 8x)\n", l / o, lc / oc }'
    fi
}

# Many fonts in one run: 20 projects of Liberation Sans at 72 points with the 191
# characters, each in its own folder, exported with their C source in one start of the
# program (beside each project), against otf2bdf making one such font. The figure is the
# time per font: the batch's time over 20, at most otf2bdf's.
compare_batch() {
    if ! command -v otf2bdf >/dev/null || [ ! -f "$font_file" ]; then
        echo "batch: skipped (needs otf2bdf and fonts-liberation)"
        return
    fi
    local out=$work/batch projects=()
    mkdir -p "$out"
    write_characters "$out"
    for i in $(seq -w 1 20); do
        mkdir -p "$out/p$i"
        (cd "$out" && eval "'$tool' new -o p$i/font.tsm --font 'Liberation Sans' --size 72 --chars-file chars.txt") 2>/dev/null
        projects+=("p$i/font.tsm")
    done
    local files=()
    for r in $(seq 1 "$rounds"); do
        hyperfine --style none --output=pipe --warmup 1 --runs 3 --export-csv "$work/batch-$r.csv" \
            -n batch "cd '$out' && '$tool' export ${projects[*]} --with-c --force" \
            -n otf2bdf "$(otf2bdf_line "$out")" >/dev/null
        files+=("$work/batch-$r.csv")
    done
    [ "$(ls "$out"/p*/*.zgf | wc -l)" -eq 20 ] || { echo "the batch did not write 20 fonts" >&2; exit 1; }
    declare -A walls cpus
    local name wall cpu
    while read -r name wall cpu; do
        walls[$name]=$wall
        cpus[$name]=$cpu
    done < <(medians batch otf2bdf -- "${files[@]}")
    awk -v o="${walls[batch]}" -v b="${walls[otf2bdf]}" -v oc="${cpus[batch]}" -v bc="${cpus[otf2bdf]}" \
        'BEGIN { printf "batch: 20 fonts in %.1f ms, %.1f ms a font (cpu %.1f ms); otf2bdf %.1f ms (cpu %.1f ms); " \
                        "per font ours/otf2bdf %.2fx (cpu %.2fx; goal at most 1x)\n",
                        o * 1000, o * 50, oc * 50, b * 1000, bc * 1000, o / 20 / b, oc / 20 / bc }'
}

case $which_ones in
all) compare_files; compare_export; compare_batch ;;
files) compare_files ;;
export) compare_export; compare_batch ;;
*) echo "compare.sh: unknown choice $which_ones (all, files or export)" >&2; exit 2 ;;
esac
