#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 programs, 1 when it does not (its
# kernel has no 32-bit support, or it is switched off: "Exec format error"), and
# says which. Some x86-64 virtual machines, containers and hardened kernels are
# like that; there 32-bit Wine cannot start, and neither can the 32-bit Windows
# program under it. Asks the kernel itself with the smallest 32-bit program
# there is (93 bytes, ends with exit code 0), so it needs no 32-bit compiler.
# usage: scripts/runs-32-bit-programs.sh [--quiet]
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'\
'\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$work/exit0"
chmod +x "$work/exit0"
say() { [ "${1:-}" = --quiet ] || echo "$2"; }
if [ "$(uname -m)" != x86_64 ] && [ "$(uname -m)" != i686 ]; then
  say "${1:-}" "this machine runs no 32-bit x86 program: it is $(uname -m)"
  exit 1
fi
if error=$("$work/exit0" 2>&1); then
  say "${1:-}" "this machine runs 32-bit x86 programs"
  exit 0
fi
say "${1:-}" "this machine's kernel runs no 32-bit x86 program (${error##*: })"
exit 1
