#!/usr/bin/env bash
# Installs what is needed, builds both editions and every test, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Each stage prints how long it took, and the processor time it used (which
# says more than the wall time on a machine that other jobs load too).
stage() {  # name command...
  local name=$1
  shift
  local TIMEFORMAT="== stage $name: %0R s (processor: %0U s user, %0S s system)"
  time "$@"
}
release() {
  local build=build/release
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON
  cmake --build "$build" -j"$(nproc)"
  scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
}
# The Release build with -Werror is the warning gate.
stage release release

# --- Windows stage: both DLLs, the host and the Windows tests cross-built with
# mingw-w64 and run under Wine (build/windows). AMBREL_WINDOWS=0 leaves it out.
if [ "${AMBREL_WINDOWS:-1}" != 0 ]; then
  stage windows scripts/test-windows.sh
fi

# --- Hardening stages (AMBREL_HARDENING=0 leaves them out): the whole suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target
# for 40 s, two at a time, in the same clang tree (build/asan; a failing input
# stays in build/asan/findings/), then the concurrency stress test under
# ThreadSanitizer (build/tsan).
if [ "${AMBREL_HARDENING:-1}" != 0 ]; then
  stage asan scripts/test-sanitizers.sh
  stage fuzz scripts/fuzz.sh 40
  stage tsan scripts/test-tsan.sh
fi
# --- end of the hardening stages
