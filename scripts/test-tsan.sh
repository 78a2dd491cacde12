#!/usr/bin/env bash
# scripts/test-tsan.sh [CTEST_REGEX]: builds the plug-in tests with
# ThreadSanitizer (the "tsan" preset, into build/tsan) and runs the
# concurrency stress test of both editions under it: audio, automation and
# editor threads on one effect. Any data race stops the test program, so it
# fails its test. AMBREL_STRESS_MS sets how long each edition is stressed
# (2000 ms here). CTEST_REGEX picks other tests of the tsan tree's plug-in test
# executable instead, "." all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
regex=${1:-ConcurrencyStress}
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j"$(nproc)" --target test_plugin
export AMBREL_STRESS_MS=${AMBREL_STRESS_MS:-2000}
scripts/with-display.sh ctest --preset tsan -R "$regex" --no-tests=error
