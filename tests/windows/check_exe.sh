#!/usr/bin/env bash
# The Windows program as a user receives it: one file, no larger than 640 KiB,
# stripped, importing only DLLs that every Windows from 7 SP1 has and nothing
# from them that Windows 7 SP1 lacks, with its icon (16 and 32 pixels), its
# version 1.00 in Chinese (PRC) and its manifest for its processor built in.
# usage: check_exe.sh PATH-TO-dbmconv.exe MINGW-TRIPLET (x86_64-w64-mingw32 or i686-w64-mingw32)
set -uo pipefail
# shellcheck source=../support/checks.sh
. "$(dirname "$0")/../support/checks.sh"
exe=$1
triplet=$2
objdump=$triplet-objdump
windres=$triplet-windres
compiler=$triplet-gcc
for tool in "$objdump" "$windres" "$compiler"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
case $triplet in
  x86_64-*) architecture=amd64 format=pei-x86-64 ;;
  *) architecture=x86 format=pei-i386 ;;
esac

check "a program for $architecture" "$("$objdump" -f "$exe" 2>&1 | grep -c "file format $format\$")" 1
size=$(stat -c %s "$exe")
echo "size: $size bytes"
check "at most 640 KiB" "$([ "$size" -le 655360 ] && echo yes)" yes
headers=$("$objdump" -p "$exe")
imports=$(awk '/DLL Name/ {print toupper($3)}' <<<"$headers" | sort | tr '\n' ' ')
echo "imports: $imports"
system="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL IMM32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL"
unexpected=$(for dll in $imports; do grep -qw "$dll" <<<"$system" || echo "$dll"; done | tr '\n' ' ')
check "only system DLLs" "$unexpected" ""

# Every imported name must be one that the MinGW-w64 headers declare for
# Windows 7 (_WIN32_WINNT 0x0601); a newer function that Windows 7 lacks stops
# the program before it starts ("entry point not found").
# (binutils 2.40 lists "vma hint name", 2.44 "vma ordinal hint name": the name is last)
names=$(awk '/DLL Name:/ {dll = 1; next} /^[[:space:]]*$/ {dll = 0} dll && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $NF}' <<<"$headers" | sort -u)
count=$(grep -c . <<<"$names")
echo "$count imported names"
check "the import table read" "$([ "$count" -ge 50 ] && echo yes)" yes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  for header in windows.h commctrl.h imm.h objbase.h oleacc.h shellapi.h \
    assert.h errno.h excpt.h io.h locale.h process.h setjmp.h signal.h stdio.h stdlib.h string.h wchar.h; do
    echo "#include <$header>"
  done
  echo 'void *used[] = {'
  sed 's/.*/  (void *)\&&,/' <<<"$names"
  echo '};'
} >"$work/imports.c"
undeclared=$("$compiler" -fsyntax-only -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE "$work/imports.c" 2>&1 |
  grep -o "‘[A-Za-z0-9_@]*’ undeclared" | tr -d '‘’' | awk '{print $1}' | sort -u)
# The C runtime's start-up entry points, in msvcrt.dll since Windows 2000, which
# no header declares: only MinGW's start-up code calls them.
startup="__getmainargs __wgetmainargs __initenv __winitenv __set_app_type __setusermatherr _amsg_exit
  _commode __p__commode __p__fmode _initterm"
beyond=$(for name in $undeclared; do grep -qw -- "$name" <<<"$startup" || echo "$name"; done | tr '\n' ' ')
check "no import that the headers do not declare for Windows 7" "$beyond" ""
# Newer functions that the headers declare without a version guard.
newer="GetSystemTimePreciseAsFileTime WaitOnAddress WakeByAddressSingle WakeByAddressAll SetThreadDescription
GetThreadDescription GetCurrentThreadStackLimits CreateFile2 GetTempPath2W GetTempPath2A QueryUnbiasedInterruptTimePrecise"
unguarded=$(for name in $newer; do grep -qx -- "$name" <<<"$names" && echo "$name"; done | tr '\n' ' ')
check "no newer function left unguarded by the headers" "$unguarded" ""

check "stripped" "$("$objdump" -h "$exe" | grep -c -E '\.debug|\.stab')" 0
check "no symbol table" "$("$objdump" -t "$exe" 2>/dev/null | grep -c -E '^\[ *[0-9]+\]')" 0

resources=$("$windres" -i "$exe" -O rc 2>/dev/null)
# each icon image starts with its bitmap header: 40, width, height of colour and mask rows
check "a 16-pixel icon" "$(grep -c -E '^ *0x28L *, *0x10L *, *0x20L' <<<"$resources")" 1
check "a 32-pixel icon" "$(grep -c -E '^ *0x28L *, *0x20L *, *0x40L' <<<"$resources")" 1
check "version 1.00" "$(grep -c -E 'FILEVERSION 1, ?0, ?0, ?0' <<<"$resources")" 1
check "Chinese (PRC), UTF-16" "$(grep -c -E 'VALUE "Translation", 0x804, 1200' <<<"$resources")" 1
check "Common Controls 6" "$(grep -c 'Microsoft.Windows.Common-Controls' <<<"$resources")" 1
check "manifest for its processor" "$(grep -c "name=\"\"dbmconv\"\" version=\"\"1.0.0.0\"\" processorArchitecture=\"\"$architecture\"\"" <<<"$resources")" 1
check "Windows 7, 8, 8.1 and 10 supported" "$(grep -c -E 'supportedOS Id=..\{(35138b9a|4a2f28e3|1f676c76|8e0f7a12)-' <<<"$resources")" 4
check "per-monitor DPI awareness, v2 and v1" "$(grep -c 'PerMonitorV2, PerMonitor<' <<<"$resources")" 1
check "per-monitor DPI awareness on 8.1" "$(grep -c 'true/pm<' <<<"$resources")" 1
check "runs as the user" "$(grep -c 'asInvoker' <<<"$resources")" 1

[ "$failures" -eq 0 ] || exit 1
echo "all checks of the .exe passed"
