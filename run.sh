#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. The build's bin folder is the
# program directory: the archive and the settings files live beside the executable.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIX_DEBUG_INFO=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
# A program directory without an archive gets the example one (EMPTY=1: start empty).
scripts/seed-example.sh "$BUILD/bin" "$BUILD/bin/quadrix"
if [ -x "$BUILD/bin/Quadrix_4d10" ]; then
  exec "$BUILD/bin/Quadrix_4d10" "$@"
fi
exec "$BUILD/bin/quadrix" --dir "$BUILD/bin" info
