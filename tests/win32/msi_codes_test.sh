#!/usr/bin/env bash
# The installer package's codes come from what it packs: the same program gives
# the same package, byte for byte; a program that differs in one byte, of the
# same version, gives another package code and product code, so that Windows
# Installer does not take it for the package already installed.
# usage: msi_codes_test.sh MAKE_MSI.sh PROCESSOR VERSION PROGRAM.exe ICON.ico
set -uo pipefail
make_msi=$1 processor=$2 version=$3 program=$4 icon=$5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/a.exe"
cp "$program" "$work/b.exe"
printf '\0' >>"$work/b.exe"

codes() {
  echo "$(msiinfo suminfo "$1" | sed -n 's/^Revision number (UUID): //p')" \
    "$(msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" {print $2}')"
}
for name in a a-again b; do
  bash "$make_msi" "$processor" "$version" "$work/${name%-again}.exe" "$icon" "$work/$name.msi" 2>/dev/null
done
check "the same program, the same package" "$(cmp -s "$work/a.msi" "$work/a-again.msi" && echo same)" same
read -r package_a product_a <<<"$(codes "$work/a.msi")"
read -r package_b product_b <<<"$(codes "$work/b.msi")"
check "codes read" "$([ -n "$package_a" ] && [ -n "$product_a" ] && echo yes)" yes
check "another program, another package code" "$([ "$package_a" != "$package_b" ] && echo yes)" yes
check "another program, another product code" "$([ "$product_a" != "$product_b" ] && echo yes)" yes
[ "$failures" -eq 0 ]
