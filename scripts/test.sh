#!/usr/bin/env bash
# Installs what is needed, builds both editions and every test, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON
cmake --build "$build" -j"$(nproc)"
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600

# --- Hardening stages: the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (build/asan), then every fuzz target for 60 s, two
# at a time (build/fuzz; a failing input stays in build/fuzz/findings/). CI runs
# both always; for local runs AMBREL_SKIP_SANITIZERS=1 and AMBREL_SKIP_FUZZ=1
# leave them out.
if [ -n "${CI:-}" ] || [ "${AMBREL_SKIP_SANITIZERS:-0}" != 1 ]; then
  scripts/test-sanitizers.sh
fi
if [ -n "${CI:-}" ] || [ "${AMBREL_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh 60
fi
# --- end of the hardening stages
