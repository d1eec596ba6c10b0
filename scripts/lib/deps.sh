# Installs what the scripts need and a fresh machine lacks (it has g++, cmake and GoogleTest).

vt_need_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq || return 1
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
        "${missing[@]}" >/dev/null || return 1
}

VT_BUILD_PACKAGES=(cmake g++ googletest libgtest-dev clang-format g++-mingw-w64-x86-64-posix
    g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686)
VT_WINE_PACKAGES=(wine wine64 xvfb xauth fonts-nanum x11-utils imagemagick python3)
VT_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
