#!/usr/bin/env bash
# The Windows program as a user receives it: one file, no larger than 512 KiB,
# stripped, importing only DLLs that every Windows has, with its icon (16 and 32
# pixels), its version 1.00 in Chinese (PRC) and its manifest built in.
# usage: check_exe.sh PATH-TO-dbmconv.exe
set -uo pipefail
# shellcheck source=../support/checks.sh
. "$(dirname "$0")/../support/checks.sh"
exe=$1
objdump=x86_64-w64-mingw32-objdump
windres=x86_64-w64-mingw32-windres
for tool in "$objdump" "$windres"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done


size=$(stat -c %s "$exe")
echo "size: $size bytes"
check "at most 512 KiB" "$([ "$size" -le 524288 ] && echo yes)" yes
imports=$("$objdump" -p "$exe" | awk '/DLL Name/ {print toupper($3)}' | sort | tr '\n' ' ')
echo "imports: $imports"
system="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL IMM32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL"
unexpected=$(for dll in $imports; do grep -qw "$dll" <<<"$system" || echo "$dll"; done | tr '\n' ' ')
check "only system DLLs" "$unexpected" ""
check "stripped" "$("$objdump" -h "$exe" | grep -c -E '\.debug|\.stab')" 0
check "no symbol table" "$("$objdump" -t "$exe" 2>/dev/null | grep -c -E '^\[ *[0-9]+\]')" 0

resources=$("$windres" -i "$exe" -O rc 2>/dev/null)
# each icon image starts with its bitmap header: 40, width, height of colour and mask rows
check "a 16-pixel icon" "$(grep -c -E '^ *0x28L *, *0x10L *, *0x20L' <<<"$resources")" 1
check "a 32-pixel icon" "$(grep -c -E '^ *0x28L *, *0x20L *, *0x40L' <<<"$resources")" 1
check "version 1.00" "$(grep -c -E 'FILEVERSION 1, ?0, ?0, ?0' <<<"$resources")" 1
check "Chinese (PRC), UTF-16" "$(grep -c -E 'VALUE "Translation", 0x804, 1200' <<<"$resources")" 1
check "Common Controls 6" "$(grep -c 'Microsoft.Windows.Common-Controls' <<<"$resources")" 1
check "per-monitor DPI awareness" "$(grep -c 'PerMonitorV2' <<<"$resources")" 1
check "runs as the user" "$(grep -c 'asInvoker' <<<"$resources")" 1

[ "$failures" -eq 0 ] || exit 1
echo "all checks of the .exe passed"
