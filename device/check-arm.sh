#!/bin/sh
# Proves the drawing library on the console's processor: compiles it for the ARM920T as a GP32
# program does and prints its code size, then runs zgfdraw_check built for ARMv4T Linux under
# qemu-arm and compares every drawing's checksum with the same program built for this machine.
# Installs the cross compilers and qemu-user when missing; with --no-install it exits 77 (a
# skipped test) instead.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
install=yes
[ "${1-}" = "--no-install" ] && install=no
text_goal=6144

missing=
for tool in arm-none-eabi-gcc arm-linux-gnueabi-gcc qemu-arm; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    if [ "$install" = no ]; then
        echo "SKIP: the ARM check needs$missing (run device/check-arm.sh once to install them)"
        exit 77
    fi
    sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq gcc-arm-none-eabi gcc-arm-linux-gnueabi qemu-user
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$here"

flags="-mcpu=arm920t -marm -Os -std=c99 -pedantic -Wall -Wextra -Werror"
arm-none-eabi-gcc $flags -c zgfdraw.c -o "$work/zgfdraw.o"
for page in zgf_*.c; do
    arm-none-eabi-gcc $flags -c "$page" -o "$work/${page%.c}.o"
done
section() { arm-none-eabi-size -A "$1" | awk -v name="$2" '$1 == name { print $2 }'; }
text=$(section "$work/zgfdraw.o" .text)
echo "zgfdraw.o on the ARM920T: .text $text bytes (goal $text_goal), .rodata $(section "$work/zgfdraw.o" .rodata) bytes"
# Each code page is an object of its own, outside the library's code.
for object in "$work"/zgf_*.o; do
    code=$(section "$object" .text)
    if [ "${code:-0}" != 0 ]; then
        echo "FAIL: $(basename "$object") holds code"
        exit 1
    fi
    printf '%s %s, ' "$(basename "$object" .o)" "$(section "$object" .rodata)"
done
echo "bytes of .rodata each"
if [ "$text" -gt "$text_goal" ]; then
    echo "FAIL: the library's code is larger than $text_goal bytes"
    exit 1
fi

sources="zgfdraw_check.c zgfdraw.c $(echo zgf_*.c)"
${CC:-cc} -std=c99 -pedantic -O2 -Wall -Wextra -Werror $sources -o "$work/check-host"
arm-linux-gnueabi-gcc -march=armv4t -marm -static -std=c99 -pedantic -O2 -Wall -Wextra -Werror $sources \
    -o "$work/check-arm"
"$work/check-host" >"$work/host.txt"
qemu-arm "$work/check-arm" >"$work/arm.txt"
if ! cmp -s "$work/host.txt" "$work/arm.txt"; then
    echo "FAIL: the ARMv4T build draws differently:"
    diff "$work/host.txt" "$work/arm.txt" | head -20
    exit 1
fi
echo "ARMv4T under qemu-arm and this machine: $(tail -n 1 "$work/host.txt"), identical"
