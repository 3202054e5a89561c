#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan, and runs both at
# once, each for a bounded time (default 60 s), from the seed corpus. Any finding fails the run;
# the input that caused it is kept in build-fuzz/findings/.
# usage: scripts/fuzz.sh [SECONDS-PER-TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/install-deps.sh fuzz

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDBMCONV_FUZZ=ON -DDBMCONV_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DDBMCONV_WERROR=ON
cmake --build build-fuzz --parallel "$(nproc)"

mkdir -p build-fuzz/findings
# Both fuzzers at once, one core each.
run_fuzzer() {
  local target=$1 work
  work=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$work"/
  build-fuzz/fuzz/"${target}_fuzzer" "$work" \
    -dict=fuzz/number.dict -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
    >"build-fuzz/${target}.log" 2>&1
  local status=$?
  rm -rf "$work"
  return $status
}
targets=(text_to_number calculation)
pids=()
for target in "${targets[@]}"; do
  echo "fuzzing ${target} for ${seconds} s"
  run_fuzzer "$target" &
  pids+=($!)
done
passed=0
failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
    passed=$((passed + 1))
  else
    echo "FINDING in ${target}:"
    grep -E -A3 'PROPERTY VIOLATED|ERROR:|runtime error' "build-fuzz/${target}.log" | head -20
    failed=$((failed + 1))
  fi
  echo "${target}: $(grep -E '^Done' "build-fuzz/${target}.log" | head -1)"
done
echo "fuzzing: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
