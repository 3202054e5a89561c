#!/usr/bin/env bash
# The Debian package as a distribution would check it: what it holds, a
# stripped and hardened program, dependencies computed from the binary, and no
# error or warning from lintian.
# usage: check_deb.sh PATH-TO-.deb APP-ID
set -uo pipefail
# shellcheck source=../support/checks.sh
. "$(dirname "$0")/../support/checks.sh"
deb=$1
id=$2
require dpkg-deb lintian readelf file
[ -s "$deb" ] || { echo "FAIL: no package at $deb"; exit 1; }


contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's#^\./#/#' | grep -v '/$' | sort)
expected=$(sort <<EOF2
/usr/bin/dbmconv
/usr/share/applications/$id.desktop
/usr/share/metainfo/$id.metainfo.xml
/usr/share/icons/hicolor/16x16/apps/$id.png
/usr/share/icons/hicolor/24x24/apps/$id.png
/usr/share/icons/hicolor/32x32/apps/$id.png
/usr/share/icons/hicolor/48x48/apps/$id.png
/usr/share/icons/hicolor/64x64/apps/$id.png
/usr/share/icons/hicolor/128x128/apps/$id.png
/usr/share/icons/hicolor/256x256/apps/$id.png
/usr/share/icons/hicolor/scalable/apps/$id.svg
/usr/share/man/man1/dbmconv.1.gz
/usr/share/man/zh_CN/man1/dbmconv.1.gz
/usr/share/doc/dbmconv/copyright
/usr/share/doc/dbmconv/changelog.Debian.gz
/usr/share/lintian/overrides/dbmconv
EOF2
)
check "the package's files" "$contents" "$expected"
check "file name" "$(basename "$deb")" "dbmconv_1.00-1_$(dpkg --print-architecture).deb"
check "version" "$(dpkg-deb -f "$deb" Version)" "1.00-1"
check "dependencies computed from the binary" \
  "$(dpkg-deb -f "$deb" Depends | grep -c 'libqt6widgets6 (>= [0-9.]*).*libstdc++6')" 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
program=$work/usr/bin/dbmconv
check "program stripped" "$(file -b "$program" | grep -c ', stripped')" 1
check "position-independent" "$(readelf -h "$program" | grep -c 'DYN (Position-Independent')" 1
check "full RELRO" "$(readelf -lW "$program" | grep -c GNU_RELRO)" 1
check "BIND_NOW" "$(readelf -d "$program" | grep -c 'BIND_NOW')" 1
check "stack protector" "$(readelf --dyn-syms -W "$program" | grep -c '__stack_chk_fail')" 1
check "man page" "$(zcat "$work/usr/share/man/man1/dbmconv.1.gz" | grep -c '^\.TH DBMCONV 1')" 1
check "Chinese man page" "$(zcat "$work/usr/share/man/zh_CN/man1/dbmconv.1.gz" | grep -c '^\.SH 名称')" 1
check "licence" "$(grep -c '^License: MIT$' "$work/usr/share/doc/dbmconv/copyright")" 2

report=$(lintian --pedantic -I -E "$deb" 2>&1 | grep -v 'running with root privileges')
echo "$report" | sed 's/^/lintian: /'
# Judged by the tags' names ("W: package: tag details" in every lintian since
# 2.0), not by the set one release happens to emit: every error fails, and so
# does a warning about what this package promises (a hardened and stripped
# program, its manual pages, copyright, changelog, desktop entry, metainfo and
# icons, its control fields). Other warnings, which each release adds or drops
# of its own, are shown above and not counted.
tags() { sed -n -E "s/^$1: [^ :]+( [^:]*)?: ([^ ]+).*/\2/p" <<<"$report" | sort -u | tr '\n' ' '; }
check "no lintian error" "$(tags E)" ""
promised='^(hardening|binary|shared-library|executable|unstripped|no-manual-page|manpage|copyright|changelog|debian-changelog|desktop|appstream|icon|package|description|maintainer|depends|control|wrong|file)'
check "no lintian warning about what the package promises" \
  "$(tags W | tr ' ' '\n' | grep -E "$promised" | tr '\n' ' ')" ""

[ "$failures" -eq 0 ] || exit 1
echo "all package checks passed"
