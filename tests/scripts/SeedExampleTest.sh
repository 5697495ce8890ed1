#!/usr/bin/env bash
# The seeding that run.sh does before it starts the window, against temporary program
# directories: which folder states get the example archive, and that nothing else is touched.
#   SeedExampleTest.sh SEED_SCRIPT QUADRIX_TOOL
set -uo pipefail
SEED=$1
TOOL=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
draws_in() { "$TOOL" --dir "$1" draws list | tail -n +2 | wc -l; }

# No archive yet (and no folder yet): the example is imported and said so on one line.
dir=$WORK/fresh/bin
out=$(env -u EMPTY "$SEED" "$dir" "$TOOL" 2>"$WORK/err") || fail "fresh: exit code $?"
[ "$(draws_in "$dir")" = 13788 ] || fail "fresh: $(draws_in "$dir") draws instead of 13788"
[ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "fresh: not one line: $out"
case $out in *"13788 draws"*"EMPTY=1 ./run.sh"*) ;; *) fail "fresh: line says $out" ;; esac
[ -s "$WORK/err" ] && fail "fresh: errors: $(cat "$WORK/err")"

# An archive present: byte-identical afterwards, nothing said, whatever its content.
for content in small empty; do
  dir=$WORK/$content
  mkdir -p "$dir"
  if [ $content = small ]; then
    printf '1;"01/30/1995 M";5;3;2;0\r\n2;"01/30/1995 E";8;6;8;5\r\n' >"$WORK/two.csv"
    "$TOOL" --dir "$dir" draws import "$WORK/two.csv" >/dev/null || fail "$content: setup import"
  else
    : >"$dir/Quadrix_4d10.ldr"
  fi
  cp -p "$dir/Quadrix_4d10.ldr" "$WORK/before"
  out=$(env -u EMPTY "$SEED" "$dir" "$TOOL" 2>&1) || fail "$content: exit code $?"
  cmp -s "$dir/Quadrix_4d10.ldr" "$WORK/before" || fail "$content: the archive changed"
  [ -z "$out" ] || fail "$content: said $out"
done

# EMPTY=1: nothing imported, nothing said.
dir=$WORK/empty-wanted
mkdir -p "$dir"
out=$(EMPTY=1 "$SEED" "$dir" "$TOOL" 2>&1) || fail "EMPTY=1: exit code $?"
[ -e "$dir/Quadrix_4d10.ldr" ] && fail "EMPTY=1: an archive was made"
[ -z "$out" ] || fail "EMPTY=1: said $out"

# A failing import is reported and does not stop run.sh from starting the window.
dir=$WORK/failing
out=$(env -u EMPTY "$SEED" "$dir" /bin/false 2>&1) || fail "failing tool: exit code $?"
[ -e "$dir/Quadrix_4d10.ldr" ] && fail "failing tool: an archive was made"
case $out in *"not imported"*) ;; *) fail "failing tool: said $out" ;; esac

[ $failures = 0 ] && echo "seeding: all cases passed"
exit $((failures > 0))
