#!/usr/bin/env bash
# Installs what is missing, then proves the program three ways: the fuzzers for a
# bounded time, the whole test suite built with AddressSanitizer and UBSan, and
# the whole test suite in the normal build, which also checks the Debian package;
# then the Windows programs, 64- and 32-bit, with their suites, under Wine.
# Warnings are errors in every build. The normal build is build-test/, apart
# from the start command's build/.
# FUZZ_SECONDS sets the time per fuzzer (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh test

echo "=== fuzzing"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

echo "=== sanitizer build: -fsanitize=address,undefined"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDBMCONV_SANITIZE=ON -DDBMCONV_WERROR=ON -DBUILD_TESTING=ON
cmake --build build-asan --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs"

echo "=== Debian package"
deb=$(bash scripts/package.sh | tail -n1)

echo "=== normal build"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDBMCONV_WERROR=ON -DBUILD_TESTING=ON -DDBMCONV_BENCH=ON \
  -DDBMCONV_DEB_PACKAGE="$deb"
cmake --build build-test --parallel "$jobs"
ctest --test-dir build-test --output-on-failure --parallel "$jobs"

echo "=== Windows builds, 64- and 32-bit, under Wine"
bash scripts/build-windows.sh --tests >/dev/null
for processor in x64 x86; do
  ctest --test-dir "build-windows-$processor" --output-on-failure --parallel "$jobs"
done
