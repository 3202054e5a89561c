#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan, and runs each one for
# a bounded time (default 60 s) from the seed corpus. Any finding fails the run;
# the input that caused it is kept in build-fuzz/findings/.
# usage: scripts/fuzz.sh [SECONDS-PER-TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/install-deps.sh fuzz

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDBMCONV_FUZZ=ON -DDBMCONV_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DDBMCONV_WERROR=ON
cmake --build build-fuzz --parallel "$(nproc)"

mkdir -p build-fuzz/findings
status=0
for target in text_to_number calculation; do
  work=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$work"/
  echo "fuzzing ${target} for ${seconds} s"
  if ! build-fuzz/fuzz/"${target}_fuzzer" "$work" \
      -dict=fuzz/number.dict -max_total_time="$seconds" -max_len=4096 -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
      >"build-fuzz/${target}.log" 2>&1; then
    echo "FINDING in ${target}:"
    grep -E -A3 'PROPERTY VIOLATED|ERROR:|runtime error' "build-fuzz/${target}.log" | head -20
    status=1
  fi
  grep -E '^Done|stat::number_of_executed_units' "build-fuzz/${target}.log" | head -2
  rm -rf "$work"
done
if [ "$status" -eq 0 ]; then
  echo "fuzzing: 2 passed, 0 failed"
else
  echo "fuzzing: findings above"
fi
exit $status
