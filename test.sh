#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks included) and runs every test.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIX_DEBUG_INFO=OFF -DQUADRIX_WERROR=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" --timeout 120
