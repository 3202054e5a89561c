#!/usr/bin/env bash
# The 32-bit program aligns its stack wherever it keeps SSE2 values there
# (check_stack_alignment.py), read in a twin of it linked with its symbols,
# whose code must be the shipped program's byte for byte. The check finds a
# function that takes an aligned stack for granted, and passes the same one
# built with the program's flags.
# usage: stack_alignment_test.sh MINGW-TRIPLET PROGRAM TWIN-WITH-SYMBOLS PROBE-AS-BUILT PROBE-ASSUMING-ALIGNMENT
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
triplet=$1 program=$2 twin=$3 as_built=$4 assuming=$5
objdump=$triplet-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for file in "$program" "$twin"; do
  "$triplet-objcopy" -O binary --only-section=.text "$file" "$work/$(basename "$file").text"
done
check "the twin's code is the program's" \
  "$(cmp -s "$work/$(basename "$program").text" "$work/$(basename "$twin").text" && echo same)" same
check "the program's code read" "$([ -s "$work/$(basename "$program").text" ] && echo yes)" yes

check_alignment() { /usr/bin/python3 "$here/check_stack_alignment.py" "$objdump" "$@"; }
report=$(check_alignment "$twin")
status=$?
echo "$report"
check "every function of the program that needs an aligned stack aligns it" "$status" 0
report=$(check_alignment "$as_built")
status=$?
echo "$report"
check "the probe built as the program is: aligns its stack" "$status" 0
check "the probe keeps an aligned SSE2 value on its stack" "$(grep -c '^1 functions read, 1 of them aligning their stack; 1 aligned' <<<"$report")" 1
report=$(check_alignment "$assuming")
status=$?
echo "$report"
check "the probe built to take an aligned stack for granted: found" "$status:$(grep -c '^FAIL: .*probeKept' <<<"$report")" 1:1

[ "$failures" -eq 0 ] || exit 1
echo "every function that keeps SSE2 values on its stack aligns it"
