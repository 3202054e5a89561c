#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 programs, 1 when it does not (its
# kernel has no 32-bit support, or it is switched off: "Exec format error"), and
# says which, and how: natively, or under user-mode emulation by the
# interpreter that a binfmt_misc handler gives them (scripts/emulate-32-bit.sh).
# Some x86-64 virtual machines, containers and hardened kernels run none; there
# 32-bit Wine cannot start without emulation, and neither can the 32-bit
# Windows program under it. Asks the kernel itself with the smallest 32-bit
# programs there are (a hundred bytes each), so it needs no 32-bit compiler:
# one ends with exit code 0, the other waits for a signal, so that the process
# it became can be seen.
# usage: scripts/runs-32-bit-programs.sh [--quiet | --how]
#   --how prints only "natively", "emulated INTERPRETER" or "no"
set -uo pipefail
work=$(mktemp -d)
waiting=""
trap '[ -n "$waiting" ] && kill "$waiting" 2>/dev/null; rm -rf "$work"' EXIT
# (an ELF header and one program header, then the code: exit(0), or pause()
# and then exit(0))
header() {
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'\
'\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'"$1$1"'\x05\x00\x00\x00\x00\x10\x00\x00'
}
{ header '\x5d\x00\x00\x00'; printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'; } >"$work/exit0"
{ header '\x64\x00\x00\x00'; printf '\xb8\x1d\x00\x00\x00\xcd\x80\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'; } >"$work/pause"
chmod +x "$work/exit0" "$work/pause"
mode=${1:-}
say() { [ -z "$mode" ] && echo "$1"; [ "$mode" = --how ] && echo "$2"; return 0; }

if [ "$(uname -m)" != x86_64 ] && [ "$(uname -m)" != i686 ]; then
  say "this machine runs no 32-bit x86 program: it is $(uname -m)" no
  exit 1
fi
if ! error=$("$work/exit0" 2>&1); then
  say "this machine's kernel runs no 32-bit x86 program (${error##*: })" no
  exit 1
fi
# The process the waiting program became: itself, or the emulator that runs it.
"$work/pause" &
waiting=$!
process=""
for _ in $(seq 50); do
  process=$(readlink "/proc/$waiting/exe" 2>/dev/null)
  [ -n "$process" ] && [ "$process" != "$(readlink /proc/$$/exe)" ] && break
  sleep 0.1
done
if [ "$process" = "$work/pause" ]; then
  say "this machine runs 32-bit x86 programs" natively
else
  say "this machine runs 32-bit x86 programs under user-mode emulation by $process" "emulated $process"
fi
exit 0
