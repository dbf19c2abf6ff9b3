#!/usr/bin/env bash
# CI step for the Debian package: builds it and checks it with lintian (scripts/package.sh), then
# installs it with apt into a clean Debian 12 root made with mmdebstrap from Debian's packages,
# starts it offscreen for two users (first start with a folder remembered, password file copied;
# waiting at the login), removes it and checks that the users' data folders stay.
# The clean root needs root rights, mmdebstrap and Debian's package archive; where the machine has
# none of these the install part is skipped with a message saying why, and the package is still
# built and checked.
set -euo pipefail
# Whatever stops this script says where, so that a failure on another machine can be read from its log.
trap 'echo "test-package.sh: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/setup.sh"

bash "$here/package.sh"
package="$(ls "$TASSELLA_BUILD"/package/tassella_*.deb)"

skip() {
    echo "SKIPPED: the install of $(basename "$package") into a clean Debian 12 root: $*"
    exit 0
}
[ "$(id -u)" -eq 0 ] || skip "it needs root rights to make the root (running as $(id -un))."
# From here on the package is built and checked: a step of the machine's own that fails (installing
# mmdebstrap, making the root) skips the install part and says where; only the package's own steps
# inside the root fail the run.
trap 'echo "test-package.sh: line $LINENO: \"$BASH_COMMAND\" failed" >&2; skip "a step of this machine failed before the package was tried (see the line above)."' ERR
# The test command installs mmdebstrap with the other test tools; this covers a run of this script alone.
if ! command -v mmdebstrap >/dev/null; then
    tassella_apt_install mmdebstrap >"$TASSELLA_BUILD/mmdebstrap-install.log" 2>&1 || true
fi
command -v mmdebstrap >/dev/null || {
    tail -5 "$TASSELLA_BUILD/mmdebstrap-install.log"
    skip "mmdebstrap cannot be installed here."
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$package" "$work/"
# The steps run inside the new root, by mmdebstrap's customize hook with /proc, /sys and /dev in place.
cat >"$work/inside.sh" <<'INSIDE'
#!/bin/sh
# Usage (from the host): inside.sh <root> <package file name> <result folder on the host>
set -eu
root="$1" deb="$2" result="$3"
touch "$result/root-ready"
fail() { echo "FAIL: $*" >&2; echo "$*" >"$result/failed"; exit 1; }
in_root() { chroot "$root" "$@"; }
in_root apt-get install -y -q --no-install-recommends "/tmp/$deb" >"$result/apt.log" 2>&1 || { cat "$result/apt.log"; fail "apt cannot install the package"; }
in_root test -x /usr/bin/tassella || fail "no /usr/bin/tassella"
in_root test -f /usr/share/applications/tassella.desktop || fail "no menu entry"
grep -qx "Exec=tassella" "$root/usr/share/applications/tassella.desktop" || fail "menu entry does not start tassella"
in_root test -f /usr/share/qt6/translations/qtbase_it.qm || fail "no Italian Qt captions"
for font in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf /usr/bin/xdg-open; do
    in_root test -e "$font" || fail "dependency missing: $font"
done
# Every library the program needs is there.
if in_root ldd /usr/bin/tassella | grep "not found"; then fail "libraries missing"; fi

# Two users of the PC, each with the folder they chose (one on a "shared drive").
for user in anna bruno; do
    home="/home/$user"
    case "$user" in
        anna) folder="$home/Tassella" ;;
        bruno) folder="/mnt/Unità condivisa/Tassella" ;;
    esac
    in_root mkdir -p "$home/.config/Tassella" "$folder"
    printf '[Tassella]\nCartella=%s\n' "$folder" >"$root$home/.config/Tassella/Tassella.conf"
    # Still running when the time is up: waiting at the login.
    set +e
    in_root env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
        timeout 8 tassella >"$result/run-$user.log" 2>&1
    code=$?
    set -e
    [ "$code" -eq 124 ] || { cat "$result/run-$user.log" >&2; fail "tassella ended with code $code for $user"; }
    cmp "$root/usr/share/tassella/unins000.dll" "$root$folder/unins000.dll" || fail "no password file in $folder"
    echo "started for $user at the login, data folder $folder"
done

in_root apt-get remove -y -q --purge tassella >"$result/remove.log" 2>&1 || { cat "$result/remove.log"; fail "remove"; }
in_root test ! -e /usr/bin/tassella || fail "program left after removal"
in_root test ! -e /usr/share/tassella || fail "/usr/share/tassella left after removal"
for file in /home/anna/Tassella/unins000.dll "/mnt/Unità condivisa/Tassella/unins000.dll" \
    /home/anna/.config/Tassella/Tassella.conf /home/bruno/.config/Tassella/Tassella.conf; do
    in_root test -f "$file" || fail "removal took $file"
done
touch "$result/done"
INSIDE
chmod +x "$work/inside.sh"
mkdir "$work/result"

start=$SECONDS
status=0
timeout 900 mmdebstrap --variant=apt --mode=root --quiet \
    --customize-hook="copy-in $work/$(basename "$package") /tmp" \
    --customize-hook="\"$work/inside.sh\" \"\$1\" $(basename "$package") \"$work/result\"" \
    bookworm /dev/null >"$work/mmdebstrap.log" 2>&1 || status=$?
if [ ! -e "$work/result/root-ready" ]; then
    tail -20 "$work/mmdebstrap.log"
    skip "mmdebstrap could not make the root here (no access to Debian's packages, or no mounts allowed)."
fi
cat "$work/mmdebstrap.log"
if [ -e "$work/result/failed" ]; then
    echo "FAIL: the package in a clean Debian 12 root: $(cat "$work/result/failed")" >&2
    exit 1
fi
if [ ! -e "$work/result/done" ]; then
    skip "the root was made but mmdebstrap stopped (status $status) before the package's steps ended, with no step of the package failing."
fi
[ "$status" -eq 0 ] || echo "mmdebstrap ended with $status after every step of the package passed."
echo "Package installed with apt in a clean Debian 12 root, started offscreen to the login for two users,"
echo "removed, the users' data folders kept ($((SECONDS - start)) s)."
