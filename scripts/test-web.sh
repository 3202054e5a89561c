#!/usr/bin/env bash
# Installs what is missing, builds the web page with the core's and the actions'
# suites in WebAssembly, and runs them under Node.js, and the page's own suite
# in Chromium, Firefox and WebKit: the web page's part of scripts/test.sh,
# alone.
# usage: scripts/test-web.sh [--prepare-only]
#   --prepare-only builds what the suites need and stops there (scripts/test.sh
#   runs them itself)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh --tests >/dev/null
# The results of the same inputs from this machine's own build of the core.
cmake -S . -B build-web/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DDBMCONV_BUILD_GUI=OFF \
  -DBUILD_TESTING=ON >/dev/null
cmake --build build-web/native --target result_text_sweep >/dev/null
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} # (Emscripten's, for the configuring)
cmake build-web -DDBMCONV_NATIVE_SWEEP="$PWD/build-web/native/tests/result_text_sweep" >/dev/null
[ "${1:-}" = --prepare-only ] && exit 0
ctest --test-dir build-web --output-on-failure --parallel "$(nproc)"
