#!/usr/bin/env bash
# Runs every benchmark and prints each figure with its ratio to its target:
#   1. the calculation per call against strtod + pow/log + snprintf("%.15G")  (<= 1.2x)
#   2. a megabyte of pasted input, handler time per calculation              (< 50 ms)
#   3. start-up to the mapped window and peak memory, against a bare Qt window
#      with the same widgets and fonts, under Xvfb                       (<= 1.15x, <= 1.10x)
#   4. the Windows programs, 64- and 32-bit: each .exe's size, and start-up under
#      Wine against a bare Win32 window with the same five controls (<= 640 KiB, <= 1.10x)
#   5. the web page in headless Chromium: its size, start-up to a usable window
#      against a bare page with the same five controls, and a pasted megabyte
#                                                         (<= 256 KiB, <= 1.2x, < 1 s)
# usage: scripts/bench.sh [RUNS] [WINE-RUNS]   (start-up runs per program, default 11;
#        under Wine, where start-up varies twice as much, default 31; the same
#        for the web page, whose start-up varies as much)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
wine_runs=${2:-31}

bash scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDBMCONV_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --parallel "$(nproc)" >/dev/null
out=build-bench/results
mkdir -p "$out"
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "meets" : "MISSES" }'; }

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), $(date -u +%Y-%m-%d)"

echo
echo "== 1. calculation per call (median of 9 repetitions, the two interleaved)"
build-bench/bench/core_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true --benchmark_min_time=1 | tee "$out/core.txt" | grep -E '_median'
project=$(awk '/BM_Calculation_median/ {print $2}' "$out/core.txt")
floor=$(awk '/BM_Floor_median/ {print $2}' "$out/core.txt")
ratio=$(awk -v a="$project" -v b="$floor" 'BEGIN { printf "%.2f", a / b }')
echo "calculation ${project} ns, floor ${floor} ns: ratio ${ratio} (target <= 1.2: $(verdict "$ratio" 1.2))"

echo
echo "== 2. a megabyte of input, handler time per calculation"
build-bench/bench/long_input_bench 2>/dev/null | tee "$out/long_input.txt" | grep -E '^BM_'
worst=$(awk '/^BM_LongInput/ {if ($2 > m) m = $2} END {print m}' "$out/long_input.txt")
echo "slowest ${worst} ms (target < 50: $(verdict "$worst" 49.999))"

echo
echo "== 3. start-up and peak memory under Xvfb, ${runs} runs each"
# shellcheck source=../tests/e2e/x_session.sh
. tests/e2e/x_session.sh
trap x_session_stop EXIT
x_session_start 1024x768 bare
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
build-bench/bench/measure_startup "$runs" build-bench/app/dbmconv build-bench/bench/bare_window \
  2>/dev/null | tee "$out/startup.txt" | grep -v '^RESULT'
read -r _ _ app_ms app_kb <<<"$(grep '^RESULT 0' "$out/startup.txt")"
read -r _ _ bare_ms bare_kb <<<"$(grep '^RESULT 1' "$out/startup.txt")"
start_ratio=$(awk -v a="$app_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", a / b }')
memory_ratio=$(awk -v a="$app_kb" -v b="$bare_kb" 'BEGIN { printf "%.2f", a / b }')
echo "start-up ${app_ms} ms vs bare ${bare_ms} ms: ratio ${start_ratio} (target <= 1.15: $(verdict "$start_ratio" 1.15))"
echo "peak RSS ${app_kb} KiB vs bare ${bare_kb} KiB: ratio ${memory_ratio} (target <= 1.10: $(verdict "$memory_ratio" 1.10))"

echo
echo "== 4. the Windows programs under Wine, 64- and 32-bit: size, and start-up to the"
echo "      mapped window against a bare Win32 window with the same five controls, ${wine_runs} runs each"
mapfile -t programs < <(bash scripts/build-windows.sh 2>/dev/null)
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bash tests/win32/wine_prefix.sh "$WINEPREFIX" >/dev/null
# one Wine server for every run, as on a desktop where Wine is already running
wineserver -p
for exe in "${programs[@]}"; do
  folder=${exe%/app/dbmconv.exe}
  processor=${folder##*-}
  case $processor in
    x64) wine=/usr/lib/wine/wine64 triplet=x86_64-w64-mingw32 ;;
    *) wine=/usr/lib/wine/wine triplet=i686-w64-mingw32 ;;
  esac
  cmake -S . -B "$folder" -DDBMCONV_BENCH=ON >/dev/null
  cmake --build "$folder" --parallel "$(nproc)" --target bare_window_windows >/dev/null
  bare=$folder/bench/bare_window_windows.exe
  size=$(stat -c %s "$exe")
  echo "-- $processor: dbmconv.exe ${size} bytes ($((size / 1024)) KiB; target <= 640 KiB: $(verdict "$size" 655360))"
  echo "imports: $("$triplet-objdump" -p "$exe" | awk '/DLL Name/ {printf "%s ", $3}')"
  for program in "$exe" "$bare"; do
    printf '#!/bin/sh\nexec %s %s\n' "$wine" "$program" >"${program%.exe}.run"
    chmod +x "${program%.exe}.run"
  done
  build-bench/bench/measure_startup "$wine_runs" "${exe%.exe}.run" "${bare%.exe}.run" \
    2>/dev/null | tee "$out/startup_windows_$processor.txt" | grep -v '^RESULT'
  read -r _ _ app_ms _ <<<"$(grep '^RESULT 0' "$out/startup_windows_$processor.txt")"
  read -r _ _ bare_ms _ <<<"$(grep '^RESULT 1' "$out/startup_windows_$processor.txt")"
  windows_ratio=$(awk -v a="$app_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", a / b }')
  echo "$processor start-up under Wine ${app_ms} ms vs bare ${bare_ms} ms: ratio ${windows_ratio} (target <= 1.10: $(verdict "$windows_ratio" 1.10))"
done
wineserver -k || true

echo
echo "== 5. the web page in headless Chromium: size, start-up to a usable window against"
echo "      a bare page with the same five controls, ${wine_runs} runs each, and a pasted megabyte"
bash scripts/install-deps.sh web-test >/dev/null
page=$(bash scripts/build-web.sh 2>/dev/null | tail -n 1)
size=$(stat -c %s "$page")
echo "dbmconv.html ${size} bytes ($((size / 1024)) KiB; target <= 256 KiB: $(verdict "$size" 262144))"
/usr/bin/python3 bench/web/page_bench.py "$page" bench/web/bare_page.html "$wine_runs" | tee "$out/web.txt" |
  grep -v '^RESULT'
page_ms=$(awk '/^RESULT page/ {print $3}' "$out/web.txt")
bare_ms=$(awk '/^RESULT bare/ {print $3}' "$out/web.txt")
paste_ms=$(awk '/^RESULT paste/ {print $3}' "$out/web.txt")
web_ratio=$(awk -v a="$page_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", a / b }')
echo "page usable after ${page_ms} ms vs bare ${bare_ms} ms: ratio ${web_ratio} (target <= 1.2: $(verdict "$web_ratio" 1.2))"
echo "a megabyte pasted, taken in ${paste_ms} ms (target < 1000: $(verdict "$paste_ms" 999.999))"
