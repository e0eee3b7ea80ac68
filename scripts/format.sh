#!/usr/bin/env bash
# Formats the C and C++ sources with the repository's .clang-format (clang-format 14, Debian's
# package clang-format). With --check nothing is written: the files that would change are
# listed and the exit status is 1 when there is any.
# The code page tables are left alone: device/gen-codepages.py writes them.
set -euo pipefail

cd "$(dirname "$0")/.."

check=false
case "${1:-}" in
    "") ;;
    --check) check=true ;;
    *) echo "Usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

formatter=${CLANG_FORMAT:-clang-format}
command -v "$formatter" >/dev/null || { echo "$formatter not found (Debian package clang-format)" >&2; exit 2; }
# Other versions break some lines differently, so their --check lists files that are fine.
version=$("$formatter" --version 2>/dev/null | sed -n 's/.*version \([0-9]*\).*/\1/p' || true)
[ "$version" = 14 ] || echo "Note: the layout is set for clang-format 14; $formatter is version ${version:-unknown}." >&2

mapfile -d '' sources < <(
    find src tests bench device -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) \
        ! -path 'src/common/codepagetables.cpp' ! -path 'device/zgf_*.c' -print0 | sort -z)

if ! $check; then
    "$formatter" -i --style=file "${sources[@]}"
    exit 0
fi

formatted=$(mktemp)
trap 'rm -f "$formatted"' EXIT
changed=0
for f in "${sources[@]}"; do
    "$formatter" --style=file "$f" >"$formatted" || { echo "$formatter failed on $f" >&2; exit 2; }
    if ! cmp -s "$formatted" "$f"; then
        echo "$f"
        changed=1
    fi
done
exit $changed
