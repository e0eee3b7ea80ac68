#!/usr/bin/env bash
# Runs every reader on COUNT mutated inputs (default 100 000 each) under AddressSanitizer and
# UndefinedBehaviorSanitizer: project records with their extension, BMP pictures, ZGF fonts,
# the embedded-font scanner, and font files of each kind (TrueType, OpenType bitmap, BDF,
# PCF). The harness is the quick fuzz tests of the suite, run in batches of their cases with
# a new seed each (TEXEL_FUZZ_CASES, TEXEL_FUZZ_SEED), so one process never holds thousands
# of added fonts. A failing batch is a finding: its seed and the end of its log are printed
# (TEXEL_FUZZ_CASES=BATCH TEXEL_FUZZ_SEED=SEED runs it again) and the other batches go on; the
# script then ends with status 1.
#
# Builds the sanitized tests in $BUILD_DIR (default build/fuzz), unless NO_BUILD is set. Font seeds: Liberation Sans
# and a BDF font of our own, made into PCF (bdftopcf) and OpenType bitmap (fonttosfnt) when
# those tools are there (Debian package xfonts-utils).
# Usage: bench/fuzz.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-100000}
build=${BUILD_DIR:-build/fuzz}
if [ -z "${NO_BUILD:-}" ]; then
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEXEL_SANITIZE=ON -DTEXEL_BUILD_TESTS=ON \
              -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
    fi
    cmake --build "$build" -j"${JOBS:-1}" --target projectfile_fuzz_test bitmap_fuzz_test zgf_fuzz_test >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
export TMPDIR=$work

cat > "$work/seed.bdf" <<'BDF'
STARTFONT 2.1
FONT -Test-Fuzz-Medium-R-Normal--8-60-96-96-C-50-ISO10646-1
SIZE 6 96 96
FONTBOUNDINGBOX 5 8 0 -1
STARTPROPERTIES 4
FAMILY_NAME "FuzzSeed"
PIXEL_SIZE 8
FONT_ASCENT 7
FONT_DESCENT 1
ENDPROPERTIES
CHARS 3
STARTCHAR A
ENCODING 65
SWIDTH 625 0
DWIDTH 5 0
BBX 3 3 1 0
BITMAP
40
A0
E0
ENDCHAR
STARTCHAR g
ENCODING 103
SWIDTH 625 0
DWIDTH 5 0
BBX 2 4 1 -1
BITMAP
C0
40
40
C0
ENDCHAR
STARTCHAR euro
ENCODING 8364
SWIDTH 625 0
DWIDTH 5 0
BBX 4 5 0 0
BITMAP
70
80
E0
80
70
ENDCHAR
ENDFONT
BDF
fonts=("ttf:/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf" "bdf:$work/seed.bdf")
if command -v bdftopcf >/dev/null; then
    bdftopcf -o "$work/seed.pcf" "$work/seed.bdf" && fonts+=("pcf:$work/seed.pcf")
fi
if command -v fonttosfnt >/dev/null; then
    fonttosfnt -b -o "$work/seed.otb" "$work/seed.pcf" 2>/dev/null && fonts+=("otb:$work/seed.otb")
fi

# run NAME BATCH PROGRAM FILTER [VAR=VALUE...]: COUNT cases in batches of BATCH.
run() {
    local name=$1 batch=$2 program=$3 filter=$4
    shift 4
    local done=0 seed=1 start=$SECONDS failed=0
    while [ "$done" -lt "$count" ]; do
        local n=$(( count - done < batch ? count - done : batch ))
        if ! env "$@" TEXEL_FUZZ_CASES=$n TEXEL_FUZZ_SEED=$seed "$build/tests/$program" \
                --gtest_filter="$filter" >"$work/log" 2>&1; then
            echo "$name: finding in the batch of $n cases from seed $seed:" >&2
            grep -v '^\[ \|^$' "$work/log" | tail -25 >&2
            failed=$(( failed + 1 ))
        fi
        done=$(( done + n ))
        seed=$(( seed + 1 ))
    done
    printf '%-24s %7d cases  %3d batches  %4d s  %d failing batches\n' "$name" "$done" $(( seed - 1 )) \
           $(( SECONDS - start )) "$failed"
    findings=$(( findings + failed ))
}
findings=0

run "project files" 10000 document/projectfile_fuzz_test 'ProjectFileFuzz.*'
run "BMP pictures" 21000 platform/bitmap_fuzz_test 'BitmapReader.Mutated*'
run "ZGF fonts" 50000 zgf/zgf_fuzz_test 'ZgfFontFuzz.*'
run "embedded-font scanner" 50000 zgf/zgf_fuzz_test 'FontScannerFuzz.*'
for font in "${fonts[@]}"; do
    run "font files (${font%%:*})" 2000 platform/bitmap_fuzz_test 'FontFileFuzz.*' "TEXEL_FUZZ_FONTS=${font#*:}"
done
[ "$findings" -eq 0 ]
