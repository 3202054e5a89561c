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
compiler=$triplet-gcc
require "$compiler"
case $triplet in
  x86_64-*) architecture=amd64 ;;
  *) architecture=x86 ;;
esac

facts=$(/usr/bin/python3 "$(dirname "$0")/pe_facts.py" "$exe") || { echo "FAIL: $exe could not be read"; exit 1; }
fact() { awk -v key="$1" '$1 == key {sub(/^[^ ]* /, ""); print}' <<<"$facts"; }
check "a program for $architecture" "$(fact machine)" "$architecture"
size=$(stat -c %s "$exe")
echo "size: $size bytes"
check "at most 640 KiB" "$([ "$size" -le 655360 ] && echo yes)" yes
imports=$(fact import | awk '{print $1}' | sort -u | tr '\n' ' ')
echo "imports: $imports"
system="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL IMM32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL"
unexpected=$(for dll in $imports; do grep -qw "$dll" <<<"$system" || echo "$dll"; done | tr '\n' ' ')
check "only system DLLs" "$unexpected" ""

# Every imported name must be one that the MinGW-w64 headers declare for
# Windows 7 (_WIN32_WINNT 0x0601); a newer function that Windows 7 lacks stops
# the program before it starts ("entry point not found").
names=$(fact import | awk '{print $2}' | sort -u)
count=$(grep -c . <<<"$names")
echo "$count imported names"
check "the import table read" "$([ "$count" -ge 50 ] && echo yes)" yes
check "imported by name" "$(grep -c '^#' <<<"$names")" 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The C runtime's start-up entry points, in msvcrt.dll since Windows 2000, which
# no header declares: only MinGW's start-up code calls them.
startup="__getmainargs __wgetmainargs __initenv __winitenv __set_app_type __setusermatherr _amsg_exit
  _commode __p__commode __p__fmode _initterm _acmdln _wcmdln"
checked=$(for name in $names; do grep -qw -- "$name" <<<"$startup" || echo "$name"; done)
# One name a line, so that a diagnostic's line number (its location, which no
# locale translates) names the import; the compiler's exit status says whether
# there was any.
{
  for header in windows.h commctrl.h imm.h objbase.h oleacc.h shellapi.h \
    assert.h errno.h excpt.h io.h locale.h process.h setjmp.h signal.h stdio.h stdlib.h string.h wchar.h; do
    echo "#include <$header>"
  done
  echo 'void used(void) {'
  # (typeof, not the address: some data exports are macros that read them)
  sed 's/.*/  { __typeof__(&) *p = 0; (void)p; }/' <<<"$checked"
  echo '}'
} >"$work/imports.c"
beyond=""
if ! "$compiler" -fsyntax-only -w -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE "$work/imports.c" \
    >"$work/compile.log" 2>&1; then
  lines=$(grep -o '^[^:]*imports\.c:[0-9]*:' "$work/compile.log" | cut -d: -f2 | sort -un)
  beyond=$(for line in $lines; do sed -n "${line}p" "$work/imports.c"; done | sed 's/.*__typeof__(\([A-Za-z0-9_@]*\)).*/\1/' |
    tr '\n' ' ')
  [ -n "$beyond" ] || beyond="the compile failed: $(head -c 300 "$work/compile.log")"
fi
check "no import that the headers do not declare for Windows 7" "$beyond" ""
# Newer functions that the headers declare without a version guard.
newer="GetSystemTimePreciseAsFileTime WaitOnAddress WakeByAddressSingle WakeByAddressAll SetThreadDescription
GetThreadDescription GetCurrentThreadStackLimits CreateFile2 GetTempPath2W GetTempPath2A QueryUnbiasedInterruptTimePrecise"
unguarded=$(for name in $newer; do grep -qx -- "$name" <<<"$names" && echo "$name"; done | tr '\n' ' ')
check "no newer function left unguarded by the headers" "$unguarded" ""

check "stripped" "$(fact section | grep -c -E '^(\.debug|\.stab|/)')" 0
check "no symbol table" "$(fact symbols)" 0

check "16- and 32-pixel icons" "$(fact icon | sort -n | tr '\n' ' ')" "16 32 "
check "version 1.00" "$(fact version)" "1.0.0.0"
check "Chinese (PRC), UTF-16" "$(fact translation)" "0804 1200"
check "Common Controls 6" "$(fact manifest-common-controls)" "6.0.0.0"
check "manifest for its processor" "$(fact manifest-architecture)" "$architecture"
check "Windows 7, 8, 8.1 and 10 supported" "$(fact manifest-supported-os | cut -c2-9 | sort | tr '\n' ' ')" \
  "1f676c76 35138b9a 4a2f28e3 8e0f7a12 "
check "per-monitor DPI awareness, v2 and v1" "$(fact manifest-dpiAwareness)" "PerMonitorV2, PerMonitor"
check "per-monitor DPI awareness on 8.1" "$(fact manifest-dpiAware)" "true/pm"
check "runs as the user" "$(fact manifest-execution-level)" "asInvoker"

[ "$failures" -eq 0 ] || exit 1
echo "all checks of the .exe passed"
