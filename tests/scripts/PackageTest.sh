#!/usr/bin/env bash
# The .deb made from a build: its control fields, its contents, no maintainer scripts, the menu
# entry, and the programs extracted from it answering --help and --version.
#   PackageTest.sh BUILD_DIR
set -uo pipefail
BUILD=$(realpath "$1")
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$T/out" >"$T/cpack.log" 2>&1 || {
  cat "$T/cpack.log" >&2
  exit 1
}
deb=$(ls "$T"/out/quadrix_*_amd64.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "FAIL: no quadrix_<version>_amd64.deb in $(ls "$T/out")" >&2; exit 1; }

info=$(dpkg-deb -I "$deb")
grep -q '^ Package: quadrix$' <<<"$info" || fail "package name: $info"
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
grep -q 'qt6-qpa-plugins' <<<"$depends" || fail "Depends lacks qt6-qpa-plugins: $depends"
for lib in libqt6widgets6 libqt6charts6 libcurl4 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -q -- '-dev' <<<"$depends" && fail "Depends names a -dev package: $depends"
grep -q '^ Recommends: .*xdg-utils' <<<"$info" || fail "Recommends: $info"
grep -q '^ Maintainer: ' <<<"$info" || fail "no contact"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expect=(./usr/bin/Quadrix_4d10 ./usr/bin/quadrix ./usr/share/applications/quadrix.desktop
  ./usr/share/icons/hicolor/scalable/apps/quadrix.svg ./usr/share/man/man1/quadrix.1.gz
  ./usr/share/man/man1/Quadrix_4d10.1.gz ./usr/share/quadrix/ ./usr/share/doc/quadrix/examples/va_pick4.csv)
for size in 16 24 32 48 64 128 256; do expect+=("./usr/share/icons/hicolor/${size}x${size}/apps/quadrix.png"); done
for f in "${expect[@]}"; do grep -qx -- "$f" <<<"$contents" || fail "not in the package: $f"; done
grep -E 'test_|bench_|fake|screenshot' <<<"$contents" && fail "test or benchmark programs in the package"

dpkg-deb -e "$deb" "$T/control"
scripts=$(cd "$T/control" && ls | grep -E '^(pre|post)(inst|rm)$')
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"

dpkg-deb -x "$deb" "$T/x"
desktop-file-validate "$T/x/usr/share/applications/quadrix.desktop" || fail "the menu entry is not valid"
# A PNG's size, read off its header (signature, then the IHDR chunk's width and height, big-endian).
png_size() {
  local b
  read -ra b <<<"$(od -An -tu1 -N24 -v "$1" | tr -s " \n" "  ")"
  [ "${#b[@]}" -eq 24 ] && [ "${b[0]} ${b[1]} ${b[2]} ${b[3]}" = "137 80 78 71" ] || { echo "not a PNG"; return; }
  echo "$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))x$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))"
}
for size in 16 24 32 48 64 128 256; do
  got=$(png_size "$T/x/usr/share/icons/hicolor/${size}x${size}/apps/quadrix.png")
  [ "$got" = "${size}x${size}" ] || fail "icon in ${size}x${size} is $got"
done
export HOME=$T/home XDG_DATA_HOME=$T/xdg
# grep reads to the end: with -q it could quit early and the writer would die of SIGPIPE (pipefail).
"$T/x/usr/bin/quadrix" --help | grep 'draws import' >/dev/null || fail "extracted quadrix --help"
"$T/x/usr/bin/quadrix" --version | grep -x "quadrix [0-9.]*" >/dev/null || fail "extracted quadrix --version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$T/x/usr/bin/Quadrix_4d10" --help | grep fullrefresh >/dev/null ||
  fail "extracted Quadrix_4d10 --help"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$T/x/usr/bin/Quadrix_4d10" --version |
  grep -qx "Quadrix_4d10 [0-9.]*" || fail "extracted Quadrix_4d10 --version"
for page in quadrix Quadrix_4d10; do
  zcat "$T/x/usr/share/man/man1/$page.1.gz" | man -l - >/dev/null 2>&1 || fail "man page $page does not format"
done

[ $failures -eq 0 ] || exit 1
echo "package: all checks passed"
