#!/usr/bin/env bash
# Optional, for CI (needs root): prepares a CUPS print queue "PDF" (cups-pdf) as the default
# printer, so that the report tests' real print runs instead of being skipped. The queue writes
# each job as a PDF file into the printing user's ~/PDF folder.
# Usage: bash scripts/cups-pdf-queue.sh   (then run scripts/test.sh)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tassella_apt_install cups cups-client printer-driver-cups-pdf

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    mkdir -p /run/cups
    cupsd
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
fi

ppd="$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_noopt/ {print $1; exit}')"
lpadmin -p PDF -v cups-pdf:/ -m "${ppd:-lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd}" -E
lpadmin -d PDF
lpstat -d
