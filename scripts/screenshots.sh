#!/usr/bin/env bash
# Renders the main window and the dialogs of the desktop shell to PNG files in OUTDIR, over a
# temporary program directory holding the real archive of draws. Runs without a display.
#   scripts/screenshots.sh OUTDIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
cd "$(dirname "$0")/.."
OUT=$(realpath -m "$1")
BUILD=${BUILD_DIR:-build}
scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target quadrix quadrix_screenshots

PROGRAM=$(mktemp -d)
trap 'rm -rf "$PROGRAM"' EXIT
"$BUILD/bin/quadrix" --dir "$PROGRAM" draws import data/examples/va_pick4.csv
mkdir -p "$OUT"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/bin/quadrix_screenshots" "$PROGRAM" "$OUT"
