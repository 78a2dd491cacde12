#!/usr/bin/env bash
# Speed figures of a Release build: the Google Benchmark programs (kernels,
# resampler, whole callback, toolkit, editor pieces; CPU time per stereo frame)
# and ambrel-host's real-time factor of the built plug-in next to a third-party
# VST 2.4 limiter where one is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target ambrel-bench ambrel-host Ambrel2x64
AMBREL_SETTINGS_DIR=$(mktemp -d)
export AMBREL_SETTINGS_DIR

scripts/with-display.sh "$build/bench/ambrel-bench" --benchmark_min_time=0.2 --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"

host="$build/tools/ambrel-host"
plugin="$build/plugins/Ambrel2x64.so"
limiter=/usr/lib/vst/lsp-plugins/limiter-stereo.so
for rate in 44100 96000; do
  for setting in "single-band linked|1=0 3=1 26=0" "single-band linked FAT|1=0 3=1 26=1" \
                 "three-band unlinked|1=1 3=0 26=0" "three-band unlinked FAT|1=1 3=0 26=1"; do
    IFS='|' read -r name sets <<<"$setting"
    args=()
    for s in $sets; do args+=(--set "$s"); done
    printf '%-6s %-26s ' "$rate" "$name"
    "$host" bench "$plugin" --rate "$rate" --seconds 3 "${args[@]}" | grep -E 'Real-time|ns per frame' | tr -s ' ' | tr '\n' ' '
    echo
  done
  if [ -e "$limiter" ]; then
    printf '%-6s %-26s ' "$rate" "third-party limiter"
    "$host" bench "$limiter" --rate "$rate" --seconds 3 | grep -E 'Real-time|ns per frame' | tr -s ' ' | tr '\n' ' '
    echo
  fi
done
