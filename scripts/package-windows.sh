#!/usr/bin/env bash
# Installs what is missing, builds both Windows programs if needed and makes
# their Windows Installer packages with wixl, from packaging/windows/dbmconv.wxs:
# dbmconv-<version>-x86.msi (every Windows from 7 SP1, installed into Program
# Files (x86) on 64-bit Windows) and dbmconv-<version>-x64.msi (64-bit Windows
# only). Prints both paths last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh >/dev/null
version=$(cat VERSION)
for processor in x86 x64; do
  echo "$PWD/build-windows-$processor/dbmconv-$version-$processor.msi"
done
