#!/usr/bin/env bash
# The dependency file as make and ninja read it: a project whose name holds a space, "#",
# "$" and ":" is found again by each tool (touching it makes the font again), and a build
# with nothing touched runs nothing. The outputs are several (ZGF, header, .c).
# Usage: depfile_tools_test.sh TEXELSMITHY_CLI PROJECT.tsm
set -euo pipefail
cli=$1
project=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir "odd folder"
name='odd folder/a b#1$c:d.tsm'
cp "$project" "$name"

# The rule: both tools run the same command; the project is a prerequisite only through the
# dependency file, so a name either tool misreads is never found again.
command="'$cli' export 'odd folder/a b#1\$\$c:d.tsm' -o font.zgf --c font.h --split --depfile font.d --force"
printf 'font.zgf font.h font.c:\n\t%s\n-include font.d\n' "$command" >Makefile
printf 'rule font\n  command = %s\n  depfile = font.d\n  deps = gcc\nbuild font.zgf font.h font.c: font\n' \
    "$command" >build.ninja

tools=(make)
command -v ninja >/dev/null && tools+=(ninja)
for tool in "${tools[@]}"; do
    rm -f font.zgf font.h font.c font.d
    "$tool" >"$work/log" 2>&1 || fail "$tool: the first build failed: $(cat "$work/log")"
    [ -s font.h ] && [ -s font.c ] || fail "$tool made no C files"
    for step in untouched touched untouched; do
        if [ $step = touched ]; then
            sleep 1
            touch "$name"
        fi
        "$tool" >"$work/log" 2>&1 || fail "$tool: the build failed: $(cat "$work/log")"
        if grep -q 'export' "$work/log"; then ran=touched; else ran=untouched; fi
        [ $ran = $step ] || fail "$tool, project $step: the font was$([ $ran = untouched ] && echo ' not') made again:
$(cat "$work/log")"
    done
done
echo "dependency file: ${tools[*]} read it back"
