#!/usr/bin/env bash
# Installs what is missing and cross-builds the Windows program with MinGW-w64:
# build-windows/app/dbmconv.exe, one self-contained file. With --tests it also
# builds the core and actions suites for Windows, to run under Wine.
# usage: scripts/build-windows.sh [--tests]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/commit-time.sh
testing=OFF
[ "${1:-}" = --tests ] && testing=ON

bash scripts/install-deps.sh windows >&2
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DDBMCONV_WERROR=ON -DBUILD_TESTING="$testing" >&2
cmake --build build-windows --parallel "$(nproc)" >&2
exe=build-windows/app/dbmconv.exe
echo "$exe: $(stat -c %s "$exe") bytes; imports: $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {printf "%s ", $3}')" >&2
echo "$PWD/$exe"
