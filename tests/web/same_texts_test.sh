#!/usr/bin/env bash
# A million inputs, a fresh seed each run (DBMCONV_SWEEP_SEED replays one): the
# core in WebAssembly must write the same results as Linux's build, byte for byte.
# usage: same_texts_test.sh NODE SWEEP.js NATIVE-SWEEP
set -uo pipefail
node=$1 web=$2 native=${3:-}
if [ -z "$native" ] || [ ! -x "$native" ]; then
  echo "SKIP: no result_text_sweep built for Linux to compare with (scripts/test-web.sh builds one)"
  exit 77
fi
count=1000000
seed=${DBMCONV_SWEEP_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
echo "$count inputs, seed $seed"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# (the two side by side)
"$native" "$count" "$seed" "$work/linux" &
linux=$!
"$node" "$web" "$count" "$seed" "$work/web" || { echo "FAIL: the WebAssembly build failed"; exit 1; }
wait "$linux" || { echo "FAIL: the Linux build failed"; exit 1; }
if ! cmp -s "$work/linux" "$work/web"; then
  echo "FAIL: the first results that differ (Linux, then WebAssembly):"
  diff "$work/linux" "$work/web" | head -n 6
  exit 1
fi
echo "ok: the same $(wc -l <"$work/web") results, $(grep -c '^fault' "$work/web") of them faults"
