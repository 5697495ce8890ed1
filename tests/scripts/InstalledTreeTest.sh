#!/usr/bin/env bash
# The build installed as a package installs it (DESTDIR, prefix /usr) and made read-only, then run
# as a user would: without --dir, the tool and the window keep their files in the user's data
# folder, and nothing in the installed tree changes. A portable copy in a folder its user cannot
# write goes to that user's folder as well.
#   InstalledTreeTest.sh BUILD_DIR EXAMPLE_CSV WITH_WINDOW(0|1)
set -uo pipefail
BUILD=$(realpath "$1")
CSV=$(realpath "$2")
WINDOW=$3
T=$(mktemp -d)
trap 'chmod -R u+w "$T" 2>/dev/null; rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
tree_state() { (cd "$T/root" && find . -printf '%p %s %T@ %m\n' | sort); }

DESTDIR=$T/root cmake --install "$BUILD" --prefix /usr >"$T/install.log" 2>&1 || {
  cat "$T/install.log" >&2
  exit 1
}
chmod -R a-w "$T/root"
before=$(tree_state)
Q=$T/root/usr/bin/quadrix
DATA=$T/xdg/Quadrix_4d10
mkdir -p "$T/home" "$T/stand"
export HOME=$T/home XDG_DATA_HOME=$T/xdg
cd "$T/stand" # where the user happens to stand: nothing may land here

out=$("$Q" draws import "$CSV" 2>&1) || fail "import: $out"
out=$("$Q" info 2>&1) || fail "info: $out"
case $out in *"Архив тиражей: 13788"*) ;; *) fail "info does not see the imported archive: $out" ;; esac
[ -f "$DATA/Quadrix_4d10.ldr" ] || fail "no archive in $DATA"
[ "$(stat -c %a "$DATA")" = 700 ] || fail "$DATA is not private: $(stat -c %a "$DATA")"
[ -z "$(ls -A "$T/stand")" ] || fail "files in the current folder: $(ls -A "$T/stand")"
[ -z "$(ls -A "$T/home")" ] || fail "files in HOME although XDG_DATA_HOME is set: $(ls -A "$T/home")"

# --dir still wins.
mkdir -p "$T/given"
"$Q" --dir "$T/given" draws import "$CSV" >/dev/null 2>&1 || fail "import with --dir"
[ -f "$T/given/Quadrix_4d10.ldr" ] || fail "--dir ignored"

# Without XDG_DATA_HOME the folder is under HOME.
out=$(env -u XDG_DATA_HOME "$Q" info 2>&1) || fail "info under HOME: $out"
[ -d "$HOME/.local/share/Quadrix_4d10" ] || fail "no folder under HOME without XDG_DATA_HOME"

if [ "$WINDOW" = 1 ]; then
  "$Q" --version | grep '^quadrix ' >/dev/null || fail "quadrix --version"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$T/root/usr/bin/Quadrix_4d10" --help >"$T/help" 2>&1 ||
    fail "Quadrix_4d10 --help needs a display: $(cat "$T/help")"
  grep -q "$DATA" "$T/help" || fail "Quadrix_4d10 --help does not say where the files are"
  QT_QPA_PLATFORM=offscreen timeout 100 "$T/root/usr/bin/Quadrix_4d10" fullrefresh >"$T/window.log" 2>&1 ||
    fail "the window with fullrefresh: exit $? $(tail -5 "$T/window.log")"
  [ -d "$DATA/Prefetchs" ] || fail "no Prefetchs in $DATA"
  [ -f "$DATA/Quadrix_4d10.frm" ] || fail "no Quadrix_4d10.frm in $DATA"
fi
[ "$(tree_state)" = "$before" ] || fail "the installed tree changed: $(diff <(echo "$before") <(tree_state) | head)"

# A portable copy in a folder its user cannot write, run by an unprivileged user.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  chmod 755 "$T"
  mkdir -p "$T/portable" "$T/nobody"
  cp "$Q" "$T/portable/"
  cp "$CSV" "$T/example.csv"
  chmod 644 "$T/example.csv"
  chown 65534:65534 "$T/nobody"
  out=$(cd "$T/nobody" && env -u XDG_DATA_HOME HOME="$T/nobody" \
    setpriv --reuid=65534 --regid=65534 --clear-groups "$T/portable/quadrix" draws import "$T/example.csv" 2>&1) ||
    fail "portable copy as an unprivileged user: $out"
  [ -f "$T/nobody/.local/share/Quadrix_4d10/Quadrix_4d10.ldr" ] || fail "the portable copy's files are not in its user's folder"
  [ "$(ls -A "$T/portable")" = quadrix ] || fail "files beside the portable copy: $(ls -A "$T/portable")"
else
  echo "not root: the unprivileged portable copy is not tried"
fi

[ $failures -eq 0 ] || exit 1
echo "installed tree: all checks passed"
