# Installs, by Debian package name, whatever the build and the tests need and the machine lacks.
# Sourced by run.sh and test.sh.

TARVIK_BUILD_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb x11-utils imagemagick fonts-dejavu-core)
TARVIK_TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev clang
    libclang-rt-14-dev clang-format xdotool util-linux python3)

tarvik_install_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
}
