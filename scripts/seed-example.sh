#!/usr/bin/env bash
# Gives a program directory without an archive of draws the example archive, imported by the
# program's own command-line tool, so that the first window a newcomer sees shows real data.
# An existing archive is never touched, and EMPTY=1 imports nothing. A failed import is reported
# and the caller goes on: the window then starts with an empty archive.
#   scripts/seed-example.sh PROGRAM_DIR QUADRIX_TOOL
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM_DIR QUADRIX_TOOL" >&2; exit 2; }
PROGRAM=$1
TOOL=$2
EXAMPLE="$(cd "$(dirname "$0")/.." && pwd)/data/examples/va_pick4.csv"

if [ "${EMPTY:-0}" = 1 ]; then exit 0; fi
# A dangling link counts as an archive too, and is left alone.
if [ -e "$PROGRAM/Quadrix_4d10.ldr" ] || [ -L "$PROGRAM/Quadrix_4d10.ldr" ]; then exit 0; fi

mkdir -p "$PROGRAM"
if ! output=$("$TOOL" --dir "$PROGRAM" draws import "$EXAMPLE" 2>&1); then
  echo "The example archive was not imported: $output" >&2
  exit 0
fi
added=$(printf '%s\n' "$output" | sed -n 's/^Добавлено тиражей: \([0-9]*\)$/\1/p')
echo "Imported the example archive ($added draws of data/examples/va_pick4.csv) into $PROGRAM;" \
  "to start from an empty archive instead: rm $PROGRAM/Quadrix_4d10.ldr && EMPTY=1 ./run.sh"
