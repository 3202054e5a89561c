#!/usr/bin/env bash
# Lets a kernel that runs no 32-bit x86 program run them all the same, for as
# long as one run of the test command lasts: Debian's qemu-i386 (qemu-user)
# registered with binfmt_misc for 32-bit x86 ELF files, with the magic and mask
# of Debian's qemu-user-binfmt, and the F flag, so that the kernel opens the
# emulator once and finds it from every mount namespace. The handler is named
# for the process it serves; "stop" removes it, and binfmt_misc's mount if
# "start" made it and no other handler is left there, and nothing else. A
# handler for 32-bit x86 that was already there (qemu-user-binfmt installed) is
# used and left as it is.
# binfmt_misc is asked before the kernel's own ELF loader, so that
# DBMCONV_EMULATE_32_BIT=1 registers the emulator also where the kernel runs
# 32-bit programs itself, to prove the emulated path on any x86-64 machine. The
# handler is the machine's: while it is there, every 32-bit program started on
# the machine runs emulated.
# usage: emulate-32-bit.sh start STATE-FILE OWNER-PID
#          says how 32-bit programs run; exits 0 when emulated, 1 when they
#          run natively, 2 when they cannot run, with the reason
#        emulate-32-bit.sh stop STATE-FILE
#        emulate-32-bit.sh possible
#          exits 0 where start could register a handler
#        emulate-32-bit.sh slowness
#          prints how many times slower than the machine emulated Wine starts
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binfmt=/proc/sys/fs/binfmt_misc
qemu=/usr/bin/qemu-i386
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# (as binfmt_misc shows them back)
magic_hex=7f454c4601010100000000000000000002000300

# Why this machine cannot register a handler, or nothing.
impossible() {
  if [ "$(uname -m)" != x86_64 ]; then
    echo "this machine is $(uname -m), not x86-64"
  elif [ "$(id -u)" -ne 0 ]; then
    echo "registering an emulator with binfmt_misc needs root"
  elif ! mountpoint -q "$binfmt" && ! grep -qw binfmt_misc /proc/filesystems &&
    ! modprobe -n binfmt_misc 2>/dev/null; then
    echo "this kernel has no binfmt_misc"
  fi
}

# The enabled handler for 32-bit x86 programs that the machine already had.
handler_there() {
  local entry
  [ -r "$binfmt/status" ] && grep -qx enabled "$binfmt/status" || return 1
  for entry in "$binfmt"/*; do
    case ${entry##*/} in register | status | dbmconv-i386-*) continue ;; esac
    if grep -qx enabled "$entry" && grep -qx "magic $magic_hex" "$entry" && grep -qx 'offset 0' "$entry"; then
      echo "${entry##*/} ($(awk '$1 == "interpreter" {print $2}' "$entry"))"
      return 0
    fi
  done
  return 1
}

start() {
  local state=$1 owner=$2 reason existing name how mounted=no entry
  : >"$state"
  # A handler of a run that ended without removing it (killed): its owner is
  # gone. First of all, so that it cannot make native programs look emulated.
  for entry in "$binfmt"/dbmconv-i386-*; do
    [ -e "$entry" ] && [ ! -d "/proc/${entry##*-}" ] && echo -1 >"$entry" 2>/dev/null &&
      echo "removed the handler ${entry##*/} that an ended run left behind"
  done
  if [ "${DBMCONV_EMULATE_32_BIT:-}" != 1 ] && bash "$here/runs-32-bit-programs.sh" --quiet; then
    how=$(bash "$here/runs-32-bit-programs.sh" --how)
    if [ "$how" = natively ]; then
      echo "32-bit programs run natively here"
      return 1
    fi
  fi
  if existing=$(handler_there); then
    echo "32-bit programs run under user-mode emulation here, by the handler the machine has: $existing, left as it is"
    return 0
  fi
  reason=$(impossible)
  [ -z "$reason" ] && [ ! -x "$qemu" ] && reason="$qemu (Debian's qemu-user) is not installed"
  if [ -n "$reason" ]; then
    echo "32-bit programs cannot be emulated here: $reason"
    return 2
  fi
  if ! mountpoint -q "$binfmt"; then
    mount -t binfmt_misc binfmt_misc "$binfmt" || { echo "32-bit programs cannot be emulated here: binfmt_misc cannot be mounted"; return 2; }
    mounted=yes
    echo "mounted=yes" >>"$state"
  fi
  name=dbmconv-i386-$owner
  if ! printf '%s' ":$name:M::$magic:$mask:$qemu:F" >"$binfmt/register" 2>/dev/null; then
    [ "$mounted" = yes ] && umount "$binfmt"
    echo "32-bit programs cannot be emulated here: binfmt_misc refused the handler"
    return 2
  fi
  echo "name=$name" >>"$state"
  how=$(bash "$here/runs-32-bit-programs.sh" --how)
  if [ "$how" != "emulated $qemu" ]; then
    stop "$state"
    echo "32-bit programs cannot be emulated here: with $qemu registered they run $how"
    return 2
  fi
  echo "32-bit programs run under user-mode emulation here: $qemu, registered with binfmt_misc as $name for this run"
  return 0
}

stop() {
  local state=$1 name mounted
  [ -f "$state" ] || return 0
  name=$(sed -n 's/^name=//p' "$state")
  mounted=$(sed -n 's/^mounted=//p' "$state")
  if [ -n "$name" ] && [ -e "$binfmt/$name" ]; then
    echo -1 >"$binfmt/$name" && echo "removed the binfmt_misc handler $name"
  fi
  if [ "$mounted" = yes ] && [ "$(find "$binfmt" -mindepth 1 -maxdepth 1 ! -name register ! -name status | wc -l)" -eq 0 ]; then
    umount "$binfmt"
  fi
  rm -f "$state"
}

# How many times longer the emulation takes than the machine itself to start
# the Wine loader and have it say its version: translating code it meets for
# the first time, as every 32-bit Wine process does at its start. The fastest
# of several starts each, so that other work on the machine counts less. At
# most twentyfold: the waits grow with it, and with them the time a test that
# fails takes to say so.
slowness() {
  local emulated native factor
  emulated=$(fastest /usr/lib/wine/wine) native=$(fastest /usr/lib/wine/wine64)
  factor=$(( (emulated + native - 1) / native ))
  echo $(( factor > 20 ? 20 : factor < 1 ? 1 : factor ))
}
fastest() {
  local best="" start took
  for _ in 1 2 3 4 5 6 7 8; do
    start=$(date +%s%N)
    "$1" --version >/dev/null 2>&1
    took=$(( ($(date +%s%N) - start) / 1000 + 1 ))
    [ -z "$best" ] || [ "$took" -lt "$best" ] && best=$took
  done
  echo "$best"
}

case ${1:-} in
  start) start "$2" "$3" ;;
  stop) stop "$2" ;;
  possible) [ -z "$(impossible)" ] ;;
  slowness) slowness ;;
  *) echo "usage: $0 start STATE-FILE OWNER-PID | stop STATE-FILE | possible | slowness" >&2; exit 2 ;;
esac
