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
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIX_DEBUG_INFO=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target quadrix quadrix_screenshots

PROGRAM=$(mktemp -d)
trap 'rm -rf "$PROGRAM"' EXIT
"$BUILD/bin/quadrix" --dir "$PROGRAM" draws import data/examples/va_pick4.csv
# Stakes for the stakes and rating tabs: a price and prizes, stakes by hand and on a list of
# combinations over the last draws of the archive, one of them still waiting for its draw.
printf '[STAKES]\r\nCost=1\r\nProfits=3\r\nProfit_0_Overlap=4\r\nProfit_0_Profit=5000\r\nProfit_1_Overlap=3\r\nProfit_1_Profit=50\r\nProfit_2_Overlap=2\r\nProfit_2_Profit=5\r\n' \
  > "$PROGRAM/Quadrix_4d10.ini"
Q() { "$BUILD/bin/quadrix" --dir "$PROGRAM" "$@" >/dev/null; }
Q stakes add --draw 13770 --digits "1;5;8;5" --draws 12
Q stakes add --draw 13780 --digits "0;2;4;6" --draws 6 --comment "Чётные"
Q combs gen --mode 2 --params "1;5;8" --out "$PROGRAM/own.lcv"
Q stakes add --lcv "$PROGRAM/own.lcv" --draw 13786 --comment "Мои числа 1;5;8"
Q stakes add --draw 13789 --digits "7;7;0;7" --comment "Следующий тираж"
Q regulars add --comment "Шаг вперёд" --start "1;2;3;4" --step 1
Q regulars add --comment "Предыдущий +5" --previous --step 5
Q regulars test --index 0,1 --count 5
# A system over five numbers, as the catalogue would have stored it.
mkdir -p "$PROGRAM/Systems"
printf '01 02 03 04\r\n01 02 03 05\r\n02 03 04 05\r\n' > "$PROGRAM/Systems/4-05-0_0001.dat"
rm -f "$PROGRAM/own.lcv"
# The script tab's lines: the benchmark's back-test script as the current script.
cp bench/data/back-test.lsc "$PROGRAM/Quadrix_4d10.lss"
mkdir -p "$OUT"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/bin/quadrix_screenshots" "$PROGRAM" "$OUT"
