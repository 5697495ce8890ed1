#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those still missing,
# so a second run costs a few dpkg queries and nothing else.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-tools-dev qt6-l10n-tools libgl-dev
  libcurl4-openssl-dev libxlsxwriter-dev
  libzip-dev  # the tests read exported workbooks back
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core qt6-translations-l10n
  locales  # sources from which the number tests generate a comma-decimal locale
  # network tests: fake HTTP(S) servers (brings zlib and OpenSSL headers), a real proxy, a test CA
  libcpp-httplib-dev tinyproxy-bin openssl
  # packaging: the icon rendered from its drawing, the menu entry checked
  librsvg2-bin desktop-file-utils
  # the self-update checks packages with SHA-256 and CRC-32
  libssl-dev zlib1g-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "Run as root or install sudo" >&2; exit 1; }
  SUDO=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
