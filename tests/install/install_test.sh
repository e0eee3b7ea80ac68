#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR, prefix /usr) and checks it as a
# desktop needs it; then straight into a prefix, where the install refreshes the desktop's
# caches.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
source "$(dirname "$0")/installedroot.sh"

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >/dev/null
check_installed_root "$dest"

# Installed straight into a prefix, the desktop's caches know the file types at once.
prefix=$dest/direct
"$cmake" --install "$build" --prefix "$prefix" >/dev/null 2>&1
[ -s "$prefix/share/mime/mime.cache" ] || fail "no MIME cache after a direct install"
for type in "${types[@]}"; do
    grep -q "^$type=$id.desktop;$" "$prefix/share/applications/mimeinfo.cache" ||
        fail "$type does not open with the program after a direct install"
done
echo "install: ${#expected[@]} files installed and accepted"
