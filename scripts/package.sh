#!/usr/bin/env bash
# Installs what is missing, builds the program as Debian builds its packages
# (release, hardened: PIE, full RELRO with BIND_NOW, fortify, stack protector),
# makes the Debian package with CPack and prints its path as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/commit-time.sh

bash scripts/install-deps.sh package >&2

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DDBMCONV_BENCH=OFF \
  -DDBMCONV_WERROR=ON -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build build-package --parallel "$(nproc)" >&2
(cd build-package && cpack -G DEB >&2)
echo "$PWD/build-package/dbmconv_$(awk '/^ *VERSION/ {print $2; exit}' CMakeLists.txt)-1_amd64.deb"
