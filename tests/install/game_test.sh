#!/usr/bin/env bash
# The sample game of tests/game built against the program installed into a temporary
# prefix, in a folder whose path holds a space: with CMake (find_package(TexelSmithy)) for
# each generator at hand (and its libraries for the console with the ARM cross compiler,
# when installed), and with the README's Makefile rule. Each build makes the fonts,
# compiles the game with the device library and runs it (it checks its own drawing); a build
# with nothing touched runs no command; touching a project, the font file a project draws
# from or the edited images of a post-processed one makes that font again and no other.
# Usage: game_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake=$1
build=$2
source_dir=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null 2>&1 || fail "the install failed"
game="$work/my game"
cp -r "$source_dir/tests/game" "$game"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$game/fonts/"
cd "$game"

# Touches files a moment after the last build, so their times are later than its outputs'.
touch_later() { sleep 1; touch "$@"; }

# expect_commands LOG WANTED: the font commands in the build's log are exactly WANTED
# (the headers, space-separated, in any order); with none wanted, nothing was built at all.
expect_commands() {
    local log=$1 wanted=$2 made
    made=$(grep -o 'Making the font [^ ]*' "$log" | cut -d' ' -f4 | sort | xargs || true)
    [ "$made" = "$(xargs -n1 <<<"$wanted" | sort | xargs)" ] ||
        fail "$generator: the build made '$made', not '$wanted':
$(cat "$log")"
    if [ -z "$wanted" ] && grep -q 'Building\|Linking\|\[[0-9]*/[0-9]*\]' "$log"; then
        fail "$generator: a build with nothing touched ran commands:
$(cat "$log")"
    fi
}

run_game() {
    local output
    output=$("$1") || fail "$generator: the game's drawing failed:
$output"
    [ "$(grep -c 'pixels of ink inside, 0 outside' <<<"$output")" -eq 4 ] || fail "$generator: $output"
}

generators=("Unix Makefiles")
command -v ninja >/dev/null && generators+=(Ninja)
for generator in "${generators[@]}"; do
    tree=build-${generator// /-}
    log=$work/${tree}.log
    "$cmake" -S . -B "$tree" -G "$generator" -DCMAKE_PREFIX_PATH="$prefix" >"$log" 2>&1 ||
        fail "$generator: configuring failed: $(cat "$log")"
    "$cmake" --build "$tree" >"$log" 2>&1 || fail "$generator: the build failed: $(cat "$log")"
    expect_commands "$log" "title.h text/body.h hud.h score.h"
    run_game "$tree/game"

    "$cmake" --build "$tree" >"$log" 2>&1
    expect_commands "$log" ""
    touch_later fonts/title.tsm
    "$cmake" --build "$tree" >"$log" 2>&1
    expect_commands "$log" "title.h"
    touch_later fonts/DejaVuSans.ttf
    "$cmake" --build "$tree" >"$log" 2>&1
    expect_commands "$log" "text/body.h"
    for image in fonts/arial10_pm.bmp fonts/arial10_pm_mask.bmp; do
        touch_later "$image"
        "$cmake" --build "$tree" >"$log" 2>&1
        expect_commands "$log" "hud.h"
    done
    touch_later game.c
    "$cmake" --build "$tree" >"$log" 2>&1
    ! grep -q 'Making the font' "$log" || fail "$generator: the game's source made a font again"
    "$cmake" --build "$tree" >"$log" 2>&1
    expect_commands "$log" ""
    run_game "$tree/game"
done

# A call the function cannot follow stops the configuration with what is wrong.
mkdir wrong
while IFS='|' read -r arguments message; do
    printf 'cmake_minimum_required(VERSION 3.20)\nproject(Wrong C)\nfind_package(TexelSmithy REQUIRED)\ntexelsmithy_add_font(%s)\n' \
        "$arguments" >wrong/CMakeLists.txt
    if "$cmake" -S wrong -B wrong/build -DCMAKE_PREFIX_PATH="$prefix" >"$work/wrong.log" 2>&1 ||
        ! tr -s ' \n' ' ' <"$work/wrong.log" | grep -qF "$message"; then
        fail "texelsmithy_add_font($arguments) did not stop with '$message': $(cat "$work/wrong.log")"
    fi
    rm -rf wrong/build
done <<'EOF'
f|PROJECT names the .tsm project
f PROJECT ../fonts/title.tsm RLE RAW|RLE and RAW cannot be used together.
f PROJECT missing.tsm|wrong/missing.tsm does not exist.
f PROJECT ../fonts/title.tsm HEADER /tmp/t.h|HEADER is a relative name ending in .h, not /tmp/t.h.
f PROJECT ../fonts/title.tsm HEADER t.c|HEADER is a relative name ending in .h, not t.c.
f PROJECT ../fonts/title.tsm SPILT|unknown arguments: SPILT
EOF

# Built for the console, the device library and a split font's .c are compiled by the ARM
# cross compiler while the fonts are made by the tool of this machine.
if command -v arm-none-eabi-gcc >/dev/null; then
    generator=arm-none-eabi-gcc
    log=$work/arm.log
    "$cmake" -S . -B build-arm -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_SYSTEM_NAME=Generic \
        -DCMAKE_SYSTEM_PROCESSOR=arm -DCMAKE_C_COMPILER=arm-none-eabi-gcc \
        -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCMAKE_C_FLAGS="-mcpu=arm920t -marm" >"$log" 2>&1 &&
        "$cmake" --build build-arm --target texelsmithy_zgfdraw score_font >"$log" 2>&1 ||
        fail "the build for the console failed: $(cat "$log")"
    expect_commands "$log" "score.h"
    for library in build-arm/libtexelsmithy_zgfdraw.a build-arm/libscore_font.a; do
        machines=$(readelf -h "$library" | sed -n 's/^ *Machine: *//p' | sort -u)
        [ "$machines" = ARM ] || fail "$library holds code for '$machines', not the console"
    done
fi

# The README's Makefile rule, as it stands there.
generator=make
sed -n '/^```make$/,/^```$/p' "$source_dir/README.md" | sed '1d;$d' >fonts.mk
grep -q -- '--depfile' fonts.mk || fail "no Makefile rule with --depfile in the README"
make_fonts() { make -f fonts.mk TEXELSMITHY_CLI="$prefix/bin/texelsmithy-cli" 2>&1 | tee "$work/make.log"; }
make_fonts >/dev/null
[ -s title.h ] && [ -s body.h ] || fail "make made no headers: $(cat "$work/make.log")"
for touched in "" fonts/title.tsm fonts/DejaVuSans.ttf fonts/body.tsm; do
    [ -z "$touched" ] || touch_later "$touched"
    made=$(make_fonts | grep -o ' --c [^ ]*' | cut -d' ' -f3 | sort | xargs || true)
    case $touched in
    "") wanted="" ;;
    fonts/title.tsm) wanted=title.h ;;
    *) wanted=body.h ;;
    esac
    [ "$made" = "$wanted" ] || fail "make after touching '$touched' made '$made', not '$wanted'"
done
echo "game: built with ${generators[*]} and make; fonts made again exactly when their sources change"
