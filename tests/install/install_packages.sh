#!/usr/bin/env bash
# The package step of each command, with apt-get, dpkg-query and sudo replaced by recorders and
# every package reported missing: the start, install and package commands ask only for what a
# build and a run need, never for a test tool nor for a package that would push out one the user
# has (LibreOffice above all); the test commands ask for the test tools too, and for LibreOffice
# only where none is installed. Every install forbids apt to remove anything.
# Usage: install_packages.sh <source folder>
set -euo pipefail
source="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
temporary="$(mktemp -d)"
trap 'rm -rf "$temporary"' EXIT

# Packages that must never come with a build or a run: test tools, and those that conflict with a
# desktop's own (libreoffice-calc-nogui pushes libreoffice-calc out).
test_only=(xvfb openbox xdotool x11-utils faketime clang-format poppler-utils desktop-file-utils dbus-daemon
    at-spi2-core python3-gi gir1.2-atspi-2.0 samba smbclient smbnetfs sshfs openssh-server fuse3 unzip zip)
# What the test commands ask for on top of the build's packages.
test_tools=(xvfb openbox xdotool faketime clang-format poppler-utils samba smbclient smbnetfs sshfs
    openssh-server fuse3 util-linux)

# A PATH of its own: the few tools the scripts use before they build, the recorders, and nothing
# else (no soffice of this machine's).
tools="$temporary/bin"
mkdir -p "$tools"
for tool in bash dirname mkdir grep id cat; do
    ln -s "$(command -v "$tool")" "$tools/$tool"
done
cat >"$tools/dpkg-query" <<'FAKE'
#!/bin/bash
# dpkg-query -W -f=... PACKAGE: installed only when named in FAKE_INSTALLED.
for name in $FAKE_INSTALLED; do
    if [ "$name" = "${!#}" ]; then
        printf 'install ok installed'
        exit 0
    fi
done
exit 1
FAKE
cat >"$tools/apt-get" <<'FAKE'
#!/bin/bash
printf '%s\n' "$*" >>"$FAKE_APT_LOG"
FAKE
cat >"$tools/sudo" <<'FAKE'
#!/bin/bash
exec "$@"
FAKE
chmod +x "$tools/dpkg-query" "$tools/apt-get" "$tools/sudo"

# Runs a command's package step; the packages it asks apt-get to install are left in $asked.
# Usage: step <script> <soffice on the PATH: yes/no> <installed packages...>
step() {
    local script="$1" office="$2"
    shift 2
    local path="$tools"
    if [ "$office" = yes ]; then
        mkdir -p "$temporary/office"
        printf '#!/bin/bash\n' >"$temporary/office/soffice"
        chmod +x "$temporary/office/soffice"
        path="$tools:$temporary/office"
    fi
    local log="$temporary/apt.log"
    rm -f "$log"
    env -i PATH="$path" HOME="$temporary/home" FAKE_APT_LOG="$log" FAKE_INSTALLED="$*" TASSELLA_ONLY_PACKAGES=1 \
        bash "$source/scripts/$script" "$temporary/folder" >"$temporary/out" 2>&1 ||
        { cat "$temporary/out"; fail "$script: the package step failed"; }
    [ -f "$log" ] || fail "$script: apt-get was never called"
    local install
    install="$(grep '^install ' "$log")" || fail "$script: no apt-get install in $(cat "$log")"
    [ "$(grep -c '^install ' "$log")" -eq 1 ] || fail "$script: more than one apt-get install"
    # apt-get must stop rather than remove a package of the user's.
    [[ " $install " == *" --no-remove "* ]] || fail "$script: apt-get install without --no-remove: $install"
    asked=" $(tr -s ' ' <<<"$install" | sed 's/^install //') "
}
asks() { [[ "$asked" == *" $1 "* ]]; }

# The commands of a user's desktop: only the build's and the run's packages.
for script in start.sh install.sh package.sh; do
    step "$script" no
    for package in cmake g++ qt6-base-dev libzip-dev fonts-dejavu-core; do
        asks "$package" || fail "$script does not ask for $package"
    done
    for package in "${test_only[@]}"; do
        ! asks "$package" || fail "$script asks for the test tool $package"
    done
    [[ "$asked" != *" libreoffice"* ]] || fail "$script asks for LibreOffice:$asked"
done
step package.sh no
asks lintian && asks dpkg-dev || fail "package.sh does not ask for lintian and dpkg-dev"

# The test commands: the build's packages, the test tools, and LibreOffice only where none is.
for script in test.sh test-sanitizers.sh; do
    step "$script" no
    for package in cmake qt6-base-dev "${test_tools[@]}" libreoffice-calc-nogui; do
        asks "$package" || fail "$script does not ask for $package"
    done
    while read -r office installed; do
        step "$script" "$office" $installed
        [[ "$asked" != *" libreoffice"* ]] ||
            fail "$script asks for LibreOffice (soffice on the PATH: $office, installed: $installed):$asked"
        asks xvfb || fail "$script does not ask for xvfb"
    done <<'CASES'
yes
no libreoffice-calc
no libreoffice-core
no libreoffice-core-nogui
CASES
done
echo "the package steps ask for what each command needs, and never remove a package"
