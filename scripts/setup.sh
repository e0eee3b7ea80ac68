# Sourced by ./run and ./test: installs the Debian packages the build needs, when missing.
texel_packages=(
    cmake make ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev libfreetype-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core
    xfonts-base fonts-terminus-otb otf2bdf
    desktop-file-utils appstream shared-mime-info
    dpkg-dev file bash-completion clang-format
)

texel_install_missing() {
    local missing=()
    for p in "${texel_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Run as root, or install: ${missing[*]}" >&2; return 1; }
        as_root=(sudo)
    fi
    "${as_root[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

texel_jobs() { nproc 2>/dev/null || echo 2; }
