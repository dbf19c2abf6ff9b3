#!/usr/bin/env bash
# Installs what Tassella needs on Debian 12 / Ubuntu (only what is missing, never replacing a
# package already there), then configures and builds it in build/. Sourced by the scripts here.
set -euo pipefail

TASSELLA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TASSELLA_BUILD="${TASSELLA_BUILD:-$TASSELLA_ROOT/build}"

# What a build and a run need: the start, install and package commands install these alone.
TASSELLA_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
    fonts-dejavu-core fonts-liberation2 libfontconfig-dev
    # Backups are ZIP files through libzip.
    libzip-dev
    # Files, links and mail are opened with the desktop's own programs.
    xdg-utils
)

# What only the tests need: the test command installs these as well. None of them belongs on a
# user's desktop just to run the program.
TASSELLA_TEST_PACKAGES=(
    poppler-utils clang-format desktop-file-utils
    faketime util-linux
    # The start-up benchmark waits for the X server through its own connection.
    libxcb1-dev
    # The tests read backups back with the real unzip.
    unzip zip
    # The screen-reader test: the program in its own X server with the desktop's accessibility bus.
    xvfb openbox x11-utils xdotool dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
    # Archives on network shares: a Samba share and an SSH folder mounted through FUSE.
    # They run in a network namespace of their own (ip, nsenter).
    samba smbclient smbnetfs sshfs openssh-server fuse3 iproute2
    # The package test installs the Debian package into a clean Debian 12 root of its own.
    mmdebstrap
)

# LibreOffice for the spreadsheet tests, only where none is there: the tests use whatever soffice
# is installed. libreoffice-calc-nogui conflicts with the desktop's libreoffice-calc, and must
# never take its place.
TASSELLA_TEST_OFFICE=libreoffice-calc-nogui

# Only for the fuzzers' smoke runs in test.sh: clang and its libFuzzer runtime.
TASSELLA_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

tassella_has_package() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Installs those of the packages named that are missing. apt-get may never remove a package to make
# room for one (--no-remove: it stops instead), so what the user has stays as it is.
tassella_apt_install() {
    local missing=()
    for package in "$@"; do
        tassella_has_package "$package" || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"
}

# TASSELLA_ONLY_PACKAGES=1 ends the command once its packages are in place (the package step's test).
tassella_packages_done() {
    if [ "${TASSELLA_ONLY_PACKAGES:-0}" = 1 ]; then
        exit 0
    fi
}

# What a build and a run need, and the extra packages named.
tassella_install_packages() {
    tassella_apt_install "${TASSELLA_PACKAGES[@]}" "$@"
    tassella_packages_done
}

# What a build, a run and the tests need, and the extra packages named.
tassella_install_test_packages() {
    local office=()
    if ! command -v soffice >/dev/null && ! command -v libreoffice >/dev/null \
        && ! tassella_has_package libreoffice-calc && ! tassella_has_package libreoffice-core \
        && ! tassella_has_package libreoffice-core-nogui; then
        office=("$TASSELLA_TEST_OFFICE")
    fi
    tassella_apt_install "${TASSELLA_PACKAGES[@]}" "${TASSELLA_TEST_PACKAGES[@]}" "${office[@]}" "$@"
    tassella_packages_done
}

tassella_build() {
    local launcher=()
    if command -v ccache >/dev/null; then
        # Worktrees of one checkout share compiled objects.
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$TASSELLA_ROOT")}"
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    # Under CI a warning is an error; a user's newer compiler never breaks the build.
    local strict=()
    if [ "${CI:-}" = "true" ]; then
        strict=(-DTASSELLA_WERROR=ON)
    fi
    cmake -S "$TASSELLA_ROOT" -B "$TASSELLA_BUILD" -DCMAKE_BUILD_TYPE="${TASSELLA_BUILD_TYPE:-Release}" \
        "${launcher[@]}" "${strict[@]}" "$@" >/dev/null
    cmake --build "$TASSELLA_BUILD" -j"$(nproc)"
}

# True when clang can build a libFuzzer harness with the sanitizers (installing it if it can).
tassella_fuzz_available() {
    tassella_apt_install "${TASSELLA_FUZZ_PACKAGES[@]}" >/dev/null 2>&1 || true
    command -v clang++ >/dev/null || return 1
    local probe
    probe="$(mktemp -d)"
    printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' >"$probe/probe.cpp"
    local status=0
    clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1 || status=1
    rm -rf "$probe"
    return $status
}

# The fuzz harnesses in build-fuzz, with clang; the program itself stays on g++ in build/.
tassella_fuzz_build() {
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$TASSELLA_ROOT")}"
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$TASSELLA_ROOT" -B "$TASSELLA_ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
        -DTASSELLA_TESTS=OFF -DTASSELLA_FUZZ=ON "${launcher[@]}" "$@" >/dev/null
    cmake --build "$TASSELLA_ROOT/build-fuzz" -j"$(nproc)" --target tassella_fuzzers
}
