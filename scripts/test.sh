#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDBMCONV_WERROR=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
