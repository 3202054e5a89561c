#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DDBMCONV_BENCH=OFF
cmake --build build --parallel "$(nproc)" --target dbmconv

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "dbmconv is built (build/app/dbmconv) but there is no display to show its window on: set DISPLAY or WAYLAND_DISPLAY and run it again."
  exit 1
fi
exec build/app/dbmconv
