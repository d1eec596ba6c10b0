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

# python3 runs the language table generator and the art check; the art check and scripts/render-art
# decode pictures with Debian's Pillow (python3-pil), so they run under /usr/bin/python3.
VT_BUILD_PACKAGES=(cmake g++ googletest libgtest-dev clang-format g++-mingw-w64-x86-64-posix
    g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 python3 python3-pil)
VT_WINE_PACKAGES=(wine wine64 xvfb xauth fonts-nanum x11-utils imagemagick)
VT_ART_PACKAGES=(librsvg2-bin python3-pil)

# True when the installed clang links a libFuzzer target.
vt_fuzzer_links() {
    command -v clang++ >/dev/null 2>&1 || return 1
    printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' |
        clang++ -x c++ -fsanitize=fuzzer -o /dev/null - >/dev/null 2>&1
}

# clang and its fuzzer runtime, by names that hold on any Debian release: the runtime package of
# the installed clang's own major version where the archive has one, else the version-free one.
vt_need_fuzz_packages() {
    vt_need_packages clang || return 1
    vt_fuzzer_links && return 0
    local major
    major=$(clang -dumpversion | cut -d. -f1)
    if apt-cache show "libclang-rt-$major-dev" >/dev/null 2>&1; then
        vt_need_packages "libclang-rt-$major-dev"
    else
        vt_need_packages libclang-rt-dev
    fi
    vt_fuzzer_links
}
