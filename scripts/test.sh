#!/usr/bin/env bash
# Installs what is missing, then proves the program: the whole suite built by
# clang with AddressSanitizer and UBSan; the
# suite but the widget suites in the hardened optimised build that also makes
# the Debian package, and that package; the Windows programs, 64- and 32-bit,
# with their suites under Wine, side by side; the core's suites built for
# 32-bit x86 Linux (under user-mode emulation where the kernel runs no 32-bit
# program); and the web page: the core's and the actions' suites in
# WebAssembly under Node.js, a million inputs against the hardened build's
# core, and the page, served as a site and offline, in Chromium, Firefox and
# WebKit. Warnings are errors in every build.
# Ends with each stage's time, the tests skipped with their reasons, and a
# count of every test.
# usage: scripts/test.sh [--long]
#   --long adds the soaks: the two fuzzers side by side, 5 minutes each (their
#   own build is most of a minute, which the default run has no room for), the
#   monkeys at full length (50,000 events on Linux, 20,000 on each Windows
#   program), and 50,000,000 random arguments per function against MPFR.
# Each monkey run draws a fresh seed, which it prints; DBMCONV_MONKEY_SEED
# replays it. FUZZ_SECONDS sets the time per fuzzer of --long.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
long=no
[ "${1:-}" = --long ] && long=yes
if [ "$long" = yes ]; then
  fuzz_seconds=${FUZZ_SECONDS:-300}
  mpfr_arguments=50000000 sanitizer_mpfr_arguments=1000000
  linux_monkey_events=50000 windows_monkey_events=20000
else
  mpfr_arguments=1000000 sanitizer_mpfr_arguments=100000
  linux_monkey_events=2000 windows_monkey_events=1000
fi
logs=build-logs
rm -rf "$logs"
mkdir -p "$logs"
# (what the 32-bit emulation registered for this run, to be removed at its end)
emulation_state=$logs/32-bit-emulation

# --- each stage timed, and the table printed however the run ends -----------
# The stages run in three lanes at once (see the end): each notes its own times.
started=$(date +%s.%N)
stage() {
  # usage: stage NAME COMMAND...
  local name=$1 start
  shift
  echo "=== $name"
  start=$(date +%s.%N)
  local status=0
  "$@" || status=$?
  printf '%s\t%s\t%s\n' "${lane:-}" "$name" \
    "$(awk -v a="$start" -v b="$(date +%s.%N)" -v c="$started" 'BEGIN { printf "%.0f\t%.0f", a - c, b - a }')" \
    >>"$logs/stages.tsv"
  return "$status"
}
summary() {
  local status=$?
  bash scripts/emulate-32-bit.sh stop "$emulation_state"
  echo
  echo "=== stage times (the lanes run side by side: each stage's start and length)"
  printf '%-8s %-60s %6s %6s\n' lane stage start length
  awk -F '\t' '{ printf "%-8s %-60s %5s s %5s s\n", $1, $2, $3, $4 }' "$logs/stages.tsv" 2>/dev/null
  printf '%-69s %5s s\n' "the whole command" \
    "$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.0f", b - a }')"
  # Every test that did not run here, with the reason it gave (CTest keeps each
  # test's output in its LastTest.log, copied beside the suite's log).
  local skipped
  skipped=$(for log in "$logs"/*.log; do
    [ -f "${log%.log}.tests" ] || continue
    awk -v suite="$(basename "$log" .log)" '
      FNR == NR && /^[0-9]+\/[0-9]+ Test: / { test = $3 }
      FNR == NR && /^SKIP: / && !(test in reason) { reason[test] = substr($0, 7) }
      FNR != NR && /\*\*\*Skipped/ {
        name = $0; sub(/.*Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
        print suite ": " name ": " (name in reason ? reason[name] : "no reason given") }' "${log%.log}.tests" "$log"
  done)
  if [ -n "$skipped" ]; then
    echo
    echo "=== skipped, with the reason"
    echo "$skipped"
  fi
  # Every test that CTest ended for running out of its time, by name.
  local timed_out
  timed_out=$(for log in "$logs"/*.log; do
    awk -v suite="$(basename "$log" .log)" '/\*\*\*Timeout/ {
      name = $0; sub(/.*Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
      print suite ": " name ": ended after " $(NF - 1) " s, its time-out" }' "$log"
  done)
  if [ -n "$timed_out" ]; then
    echo
    echo "=== out of time"
    echo "$timed_out"
  fi
  # A first run under emulation makes the Wine prefixes that later runs copy.
  if grep -qs '^no prefix of this Wine in' "$logs"/*.tests; then
    echo
    echo "This run made Wine prefixes under emulation, none being in the cache for this Wine yet: minutes longer than a run that copies them."
  fi
  # One line for every test of every suite; the fuzzers count as two.
  awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
       /\*\*\*Skipped/ { skipped++ }
       /^fuzzing: [0-9]+ passed, [0-9]+ failed/ { failed += $4; total += $2 + $4 }
       END { printf "\ntotal: %d passed, %d failed, %d skipped\n", total - failed - skipped, failed, skipped }' \
    "$logs"/*.log 2>/dev/null || true
  [ "$status" -eq 0 ] || echo "the test command failed (exit $status): a stage that is not in the table, or a suite above, failed"
}
trap summary EXIT
# (an interrupted run ends through the summary too, which removes the emulation)
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# ctest over one build folder; its report and every test's output are kept for
# the summary.
suite() {
  # usage: suite NAME BUILD-FOLDER [CTEST-OPTION...]
  local name=$1 folder=$2 status=0
  shift 2
  ctest --test-dir "$folder" --output-on-failure --parallel "$jobs" "$@" >"$logs/$name.log" 2>&1 || status=$?
  cp "$folder/Testing/Temporary/LastTest.log" "$logs/$name.tests" 2>/dev/null || true
  cat "$logs/$name.log"
  return "$status"
}

stage "install what is missing" bash scripts/install-deps.sh test

# 32-bit programs: natively, or, where the kernel runs none, under user-mode
# emulation registered for this run alone and removed when it ends, however it
# ends (DBMCONV_EMULATE_32_BIT=1 emulates them on any x86-64 machine). There
# Wine needs room below the emulated 4 GiB for its own mappings, each Wine
# prefix is copied from the machine's cache instead of being made in minutes,
# and the 32-bit tests wait as much longer as the emulation is measured slower.
emulated=no
if emulation=$(bash scripts/emulate-32-bit.sh start "$emulation_state" $$); then
  emulated=yes
  export QEMU_RESERVED_VA=0xf7000000
  how=$(bash scripts/runs-32-bit-programs.sh --how)
  export DBMCONV_32_BIT_EMULATION="${how#emulated } by binfmt_misc"
  export DBMCONV_32_BIT_SLOWNESS
  DBMCONV_32_BIT_SLOWNESS=$(bash scripts/emulate-32-bit.sh slowness)
  export DBMCONV_WINE_PREFIX_CACHE=${DBMCONV_WINE_PREFIX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/dbmconv/wine-prefixes}
  [ "$long" = yes ] && export DBMCONV_ALL_EMULATED_TESTS=1
fi
echo "$emulation"
if [ "$emulated" = yes ]; then
  echo "the emulation is measured ${DBMCONV_32_BIT_SLOWNESS} times slower than the machine: the 32-bit tests wait as much longer"
  echo "Wine prefixes are copied from $DBMCONV_WINE_PREFIX_CACHE, made there first where this Wine has none (minutes)"
fi

fuzz() { bash scripts/fuzz.sh "$fuzz_seconds" | tee "$logs/fuzzing.log"; }
sanitizer_build() {
  # Clang, beside the hardened build's GCC: a second compiler's warnings and
  # sanitizers, and here a third of GCC's compile time for this build. -O1 with
  # line tables, as AddressSanitizer is meant to be used: every report still
  # names the file and line. Its floating-point faults are found as on a
  # platform without exception flags, so that the same suites prove that way
  # right; the hardened build, the one shipped, reads the flags.
  CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DDBMCONV_DERIVED_FLOATING_POINT_CONDITIONS=ON \
    -DDBMCONV_SANITIZE=ON -DDBMCONV_WERROR=ON -DBUILD_TESTING=ON -DDBMCONV_BENCH=OFF \
    -DDBMCONV_COMMA_LOCALE_RUNS=OFF >/dev/null &&
    cmake --build build-asan --parallel "$jobs" >/dev/null
}
sanitizer_suite() {
  # The power and the logarithm meet MPFR over a million arguments in the
  # hardened build (fifty million with --long); under the sanitizers a tenth
  # (a fiftieth) of them exercise the same code, whose memory use does not
  # depend on the argument.
  DBMCONV_MPFR_ARGUMENTS=$sanitizer_mpfr_arguments ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
    DBMCONV_MONKEY_EVENTS=$linux_monkey_events suite linux-sanitizer build-asan
}
package() { bash scripts/package.sh --tests >/dev/null; }
windows_suites() {
  # The two programs' suites side by side: each has its own Wine prefix and X
  # displays, and runs its window tests one at a time.
  local x64=0 x86=0
  DBMCONV_MONKEY_EVENTS=$windows_monkey_events suite windows-x64 build-windows-x64 >/dev/null &
  local x64_pid=$!
  DBMCONV_MONKEY_EVENTS=$windows_monkey_events suite windows-x86 build-windows-x86 >/dev/null || x86=$?
  wait "$x64_pid" || x64=$?
  cat "$logs/windows-x64.log" "$logs/windows-x86.log"
  [ "$x64" -eq 0 ] && [ "$x86" -eq 0 ]
}
web_build() { bash scripts/build-web.sh --tests >/dev/null; }
web_suite() {
  # The page's core, which derives the floating-point faults, is compared with
  # the hardened build's, which reads them from the processor's flags: the
  # Linux program as shipped, built earlier in this lane.
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} # (Emscripten's, for the configuring)
  cmake build-web -DDBMCONV_NATIVE_SWEEP="$PWD/build-test/tests/result_text_sweep" >/dev/null &&
    suite web build-web --exclude-regex '^web_page_'
}
# The page in the three browser engines waits on the browsers far more than it
# computes: it runs beside the hardened build, as soon as the page is built.
page_suites() { suite web-page build-web --tests-regex '^web_page_'; }
i386_build() {
  cmake -S . -B build-i386 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-linux-i386.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DDBMCONV_BUILD_GUI=OFF -DBUILD_TESTING=ON -DDBMCONV_WERROR=ON \
    -DDBMCONV_COMMA_LOCALE_RUNS=OFF >/dev/null &&
    cmake --build build-i386 --parallel "$jobs" --target core_tests >/dev/null
}

# Three lanes side by side, so that one builds while another waits on a
# window, on Wine or on the browser: the sanitizer build's, with the 32-bit
# core's (the arithmetic of the 32-bit Windows program, which needs no Wine)
# beside its suite; the Windows programs'; and the web page's, with the
# hardened build's. Each lane's output is shown when all are done.
i386_lane() {
  lane=i386
  stage "core suites for 32-bit x86 Linux: build" i386_build
  stage "core suites for 32-bit x86 Linux" suite linux-i386 build-i386
}
linux_lane() {
  lane=linux
  if [ "$long" = yes ]; then
    stage "fuzzers, ${fuzz_seconds} s each, side by side" fuzz
  fi
  stage "sanitizer build (clang, ASan, UBSan)" sanitizer_build
  # The sanitizer suite waits on its windows most of its time: the 32-bit core
  # is built beside it, at a lower priority.
  (renice -n 10 -p "$BASHPID" >/dev/null && i386_lane) >"$logs/i386-lane.out" 2>&1 &
  local i386_pid=$! status=0
  stage "sanitizer suite" sanitizer_suite || status=1
  wait "$i386_pid" || status=1
  cat "$logs/i386-lane.out"
  return "$status"
}
web_lane() {
  lane=web
  stage "web page build (WebAssembly), with its suites" web_build
  (lane=pages && stage "the page in Chromium, Firefox and WebKit, served and offline" page_suites) \
    >"$logs/pages-lane.out" 2>&1 &
  local pages_pid=$! status=0
  stage "hardened optimised build, and the Debian package" package || status=1
  DBMCONV_MPFR_ARGUMENTS=$mpfr_arguments stage "suite of the hardened build and its package" suite linux build-test ||
    status=1
  # (one ctest at a time in a build folder: each writes the folder's test log)
  wait "$pages_pid" || status=1
  cat "$logs/pages-lane.out"
  stage "web page suites: the core and the actions under Node.js" web_suite || status=1
  return "$status"
}
windows_lane() {
  lane=windows
  stage "Windows builds, 64- and 32-bit" bash scripts/build-windows.sh --tests >/dev/null
  stage "Windows suites under Wine, 64- and 32-bit side by side" windows_suites
}
linux_lane >"$logs/linux-lane.out" 2>&1 &
linux_pid=$!
windows_lane >"$logs/windows-lane.out" 2>&1 &
windows_pid=$!
web_lane >"$logs/web-lane.out" 2>&1 &
web_pid=$!
linux_status=0
windows_status=0
web_status=0
wait "$linux_pid" || linux_status=$?
wait "$windows_pid" || windows_status=$?
wait "$web_pid" || web_status=$?
cat "$logs/linux-lane.out" "$logs/windows-lane.out" "$logs/web-lane.out"
[ "$linux_status" -eq 0 ] && [ "$windows_status" -eq 0 ] && [ "$web_status" -eq 0 ]
