#!/usr/bin/env bash
# Times the C source writer and the embedded-font scanner against the standard tools on the
# same files, on this machine:
#   texelsmithy-cli to-c of a 64 MiB random file     against  xxd -i of that file
#   texelsmithy-cli extract (the list) of a 256 MiB
#   file with 100 planted fonts                      against  grep -c -a -F for "ZGF\0"
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

build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTEXEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target texelsmithy-cli -j "$(nproc)" >/dev/null
tool=$PWD/$build/src/app/texelsmithy-cli

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

# Median over all round files of one command's column: 4 is the median wall time, 5 and 6
# the mean user and system times (seconds).
median_of() {
    local command=$1 column=$2; shift 2
    awk -F, -v cmd="$command" -v col="$column" 'FNR > 1 && $1 == cmd { print $col }' "$@" |
        sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

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
