#!/usr/bin/env bash
# Installs what is missing and cross-builds the Windows programs with MinGW-w64:
# build-windows-x64/app/dbmconv.exe for 64-bit Windows and
# build-windows-x86/app/dbmconv.exe for every Windows from 7 SP1, 32- or
# 64-bit; each is one self-contained file. Prints both paths last. With --tests
# it also builds the suites that run them under Wine.
# usage: scripts/build-windows.sh [--tests]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/commit-time.sh
with_tests=no
[ "${1:-}" = --tests ] && with_tests=yes

bash scripts/install-deps.sh windows >&2
built=()
for processor in x64:x86_64 x86:i686; do
  folder=build-windows-${processor%%:*}
  triplet=${processor#*:}-w64-mingw32
  # A folder whose suites were built keeps them: switched off, they would stay
  # behind, out of date, for the next ctest there to run.
  testing=()
  if [ "$with_tests" = yes ]; then
    testing=(-DBUILD_TESTING=ON)
    # 64-bit Windows takes either package: the 64-bit suite installs each over
    # the other.
    if [ "$folder" = build-windows-x64 ]; then
      version=$(cat VERSION)
      testing+=(-DDBMCONV_OTHER_MSI_FILE="$PWD/build-windows-x86/dbmconv-$version-x86.msi")
    fi
  elif [ ! -f "$folder/CMakeCache.txt" ]; then
    testing=(-DBUILD_TESTING=OFF)
  fi
  # The 32-bit build writes its icon with the tool the 64-bit one built.
  if [ "$folder" = build-windows-x86 ]; then
    testing+=(-DDBMCONV_HOST_ICON_TOOL="$PWD/build-windows-x64/packaging/host-tools/dbmconv_make_ico")
  fi
  # Built for size: a program that is copied from PC to PC, where every
  # calculation takes microseconds either way (the suites check this build).
  cmake -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-w64-${processor#*:}.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DDBMCONV_WERROR=ON "${testing[@]}" >&2
  cmake --build "$folder" --parallel "$(nproc)" >&2
  exe=$folder/app/dbmconv.exe
  echo "$exe: $(stat -c %s "$exe") bytes; imports: $("$triplet-objdump" -p "$exe" | awk '/DLL Name/ {printf "%s ", $3}')" >&2
  built+=("$PWD/$exe")
done
printf '%s\n' "${built[@]}"
