#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the program and every
# desktop integration file land where the freedesktop specifications look.
# usage: check_install.sh BUILD-DIR APP-ID
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
expect() {
  if [ -s "$prefix/$1" ]; then echo "ok: $1"; else echo "MISSING: $1"; missing=1; fi
}
expect bin/dbmconv
expect "share/applications/$id.desktop"
expect "share/metainfo/$id.metainfo.xml"
expect "share/icons/hicolor/scalable/apps/$id.svg"
expect share/man/man1/dbmconv.1.gz
expect share/man/zh_CN/man1/dbmconv.1.gz
expect share/doc/dbmconv/copyright
for size in 16 24 32 48 64 128 256; do
  expect "share/icons/hicolor/${size}x${size}/apps/$id.png"
done
exit $missing
