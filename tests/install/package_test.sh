#!/usr/bin/env bash
# Makes the Debian package of the build with CPack and checks it: its name, its control
# fields (dependencies found in the binaries, no maintainer scripts, since the triggers of
# the desktop's own packages refresh their caches, files owned by root), and its files
# unpacked with dpkg -x, as the install test checks an install.
# Usage: package_test.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2
source "$(dirname "$0")/installedroot.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# gzip rather than xz: the sanitized test build's binaries are large.
"$cpack" --config "$build/CPackConfig.cmake" -B "$work" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >/dev/null ||
    fail "cpack failed"
deb=$work/texelsmithy_2.0.1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = texelsmithy ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 2.0.1 ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = graphics ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
packages=$(sed -e 's/ *([^)]*)//g' -e 's/, */\n/g' <<<"$depends")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
    grep -qxF "$library" <<<"$packages" || fail "Depends lacks $library: $depends"
done
members=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep . | sort | xargs)
[ "$members" = "control md5sums" ] || fail "control members: $members"
owners=$(dpkg-deb --contents "$deb" | awk '{print $2}' | sort -u)
[ "$owners" = root/root ] || fail "files owned by: $owners"

dpkg -x "$deb" "$work/root"
check_installed_root "$work/root"
echo "package: $(basename "$deb"), ${#expected[@]} files, Depends: $depends"
