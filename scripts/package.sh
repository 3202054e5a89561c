#!/usr/bin/env bash
# Installs what is missing, builds the program as Debian builds its packages
# (optimised, hardened: PIE, full RELRO with BIND_NOW, fortify, stack
# protector), makes the Debian package with CPack and prints its path as the
# last line. With --tests the same build, in build-test/, also builds the
# suites (all but the widget suites, which the sanitizer build runs), which
# then test that very program and package (the test command).
# usage: scripts/package.sh [--tests]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/commit-time.sh

folder=build-package
testing=(-DBUILD_TESTING=OFF)
bash scripts/install-deps.sh package >&2
deb=dbmconv_$(cat VERSION)-1_$(dpkg --print-architecture).deb
if [ "${1:-}" = --tests ]; then
  folder=build-test
  testing=(-DBUILD_TESTING=ON -DDBMCONV_WIDGET_TESTS=OFF -DDBMCONV_DEB_PACKAGE="$PWD/$folder/$deb")
fi

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Debian's flags but -g: the package holds the program stripped, and a third of
# the compile time went into debugging information that nothing kept.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed -E 's/(^| )-g( |$)/ /')"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=None "${testing[@]}" -DDBMCONV_BENCH=OFF \
  -DDBMCONV_WERROR=ON -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$folder" --parallel "$(nproc)" >&2
(cd "$folder" && cpack -G DEB >&2)
echo "$PWD/$folder/$deb"
