#!/usr/bin/env bash
# Builds the Debian package build/package/tassella_<version>_<arch>.deb with CPack (installing what
# is missing, dpkg-dev and lintian included) and checks it with lintian: any error or warning fails.
# Install it with: sudo apt install ./build/package/tassella_*.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tassella_install_packages dpkg-dev lintian
tassella_build -DTASSELLA_TESTS=OFF

rm -f "$TASSELLA_BUILD"/package/tassella_*.deb
(cd "$TASSELLA_BUILD" && cpack -G DEB >/dev/null)
package="$(ls "$TASSELLA_BUILD"/package/tassella_*.deb)"

# Errors and warnings (lintian's default display) fail; its notice about running as root does not.
status=0
report="$(lintian --fail-on error,warning "$package" 2>&1)" || status=$?
report="$(grep -v "running with root privileges" <<<"$report" || true)"
if [ "$status" -ne 0 ] || [ -n "$report" ]; then
    echo "lintian on $package:" >&2
    echo "$report" >&2
    exit 1
fi
echo "lintian: no errors and no warnings on $(basename "$package")"
echo "Package: $package"
echo "Install it with: sudo apt install $package"
