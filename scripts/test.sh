#!/usr/bin/env bash
# Installs what is needed, builds both editions and every test, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON
cmake --build "$build" -j"$(nproc)"
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
