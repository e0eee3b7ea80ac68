#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR, prefix /usr) and checks the files a
# desktop needs: exactly the expected files, a valid desktop entry, metainfo and MIME types
# that the desktop's own tools accept, an icon under the entry's name, working programs;
# then straight into a prefix, where the install refreshes the desktop's caches.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
id=org.texelsmithy.TexelSmithy

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >/dev/null

expected=(
    usr/bin/texelsmithy
    usr/bin/texelsmithy-cli
    usr/share/applications/$id.desktop
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/metainfo/$id.metainfo.xml
    usr/share/mime/packages/$id.xml
)
installed=$(cd "$dest" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed files differ from the list:
$(diff <(echo "$wanted") <(echo "$installed") || true)"
for program in texelsmithy texelsmithy-cli; do
    [ -x "$dest/usr/bin/$program" ] || fail "$program is not executable"
done

share=$dest/usr/share
desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli refused the metainfo"
grep -q "<svg" "$share/icons/hicolor/scalable/apps/$id.svg" || fail "the icon is not SVG"

# The entry names what was installed: its program, its icon, its MIME types.
value() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(value Exec)" = "texelsmithy %f" ] || fail "Exec is '$(value Exec)'"
[ "$(value Icon)" = "$id" ] || fail "Icon is '$(value Icon)'"
update-mime-database "$share/mime" || fail "update-mime-database refused the MIME types"
IFS=';' read -ra types <<<"$(value MimeType)"
[ "${#types[@]}" -eq 2 ] || fail "the entry lists ${#types[@]} MIME types"
for type in "${types[@]}"; do
    grep -q "^50:$type:\*\.\(tsm\|zgf\)$" "$share/mime/globs2" || fail "no file pattern for $type"
done
grep -q 'application/x-zgf-font' "$share/mime/magic" || fail "no magic for ZGF fonts"

"$dest/usr/bin/texelsmithy-cli" --version | grep -q "^texelsmithy-cli 2.0.1$" ||
    fail "the installed texelsmithy-cli does not run"

# Installed straight into a prefix, the desktop's caches know the file types at once.
prefix=$dest/direct
"$cmake" --install "$build" --prefix "$prefix" >/dev/null 2>&1
[ -s "$prefix/share/mime/mime.cache" ] || fail "no MIME cache after a direct install"
for type in "${types[@]}"; do
    grep -q "^$type=$id.desktop;$" "$prefix/share/applications/mimeinfo.cache" ||
        fail "$type does not open with the program after a direct install"
done
echo "install: ${#expected[@]} files installed and accepted"
