# Sourced by the install and package tests: checks a tree installed under ROOT/usr, the
# files a desktop needs: exactly the expected files, a valid desktop entry, metainfo and
# MIME types that the desktop's own tools accept, an icon under the entry's name, manual
# pages and a completion script that load, working programs, and a command-line tool that
# needs no widget library.
id=org.texelsmithy.TexelSmithy
expected=(
    usr/bin/texelsmithy
    usr/bin/texelsmithy-cli
    usr/share/applications/$id.desktop
    usr/share/bash-completion/completions/texelsmithy-cli
    usr/share/doc/texelsmithy/copyright
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/man/man1/texelsmithy.1.gz
    usr/share/man/man1/texelsmithy-cli.1.gz
    usr/share/metainfo/$id.metainfo.xml
    usr/share/mime/packages/$id.xml
    usr/lib/cmake/TexelSmithy/TexelSmithyConfig.cmake
    usr/lib/cmake/TexelSmithy/TexelSmithyConfigVersion.cmake
)
# The device library's sources, for a game's build to compile.
for source in "$(dirname "${BASH_SOURCE[0]}")"/../../device/{zgfdraw.[ch],zgf_*.c}; do
    expected+=("usr/share/texelsmithy/zgfdraw/$(basename "$source")")
done

fail() { echo "FAIL: $*" >&2; exit 1; }

# check_installed_root ROOT: leaves the MIME types of the entry in $types.
check_installed_root() {
    local root=$1
    local installed wanted
    installed=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
    wanted=$(printf '%s\n' "${expected[@]}" | sort)
    [ "$installed" = "$wanted" ] || fail "installed files differ from the list:
$(diff <(echo "$wanted") <(echo "$installed") || true)"
    for program in texelsmithy texelsmithy-cli; do
        [ -x "$root/usr/bin/$program" ] || fail "$program is not executable"
    done

    local share=$root/usr/share
    local desktop=$share/applications/$id.desktop
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

    for page in texelsmithy texelsmithy-cli; do
        gzip -dc "$share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 " ||
            fail "$page.1.gz is no manual page of $page"
    done
    # bash-completion loads scripts with extglob on, and the script's patterns need it.
    bash -O extglob -n "$share/bash-completion/completions/texelsmithy-cli" ||
        fail "the completion script does not parse"

    "$root/usr/bin/texelsmithy-cli" --version | grep -q "^texelsmithy-cli 2.0.1$" ||
        fail "the installed texelsmithy-cli does not run"
    # The command-line tool runs where no widget library is installed.
    local needed
    needed=$(readelf -d "$root/usr/bin/texelsmithy-cli" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    grep -q '^libQt6Gui' <<<"$needed" || fail "readelf lists no libraries texelsmithy-cli needs"
    ! grep -q '^libQt6Widgets' <<<"$needed" || fail "texelsmithy-cli needs $(grep '^libQt6Widgets' <<<"$needed")"
}
