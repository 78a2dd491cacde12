#!/usr/bin/env bash
# scripts/fuzz.sh SECONDS [TARGET...]: builds the fuzz targets with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in the tree of the
# asan preset (build/asan, the one scripts/test-sanitizers.sh runs the tests
# in) and runs each target for SECONDS on its seed corpus. New inputs collect in
# build/asan/corpus/<target>; an input that fails a target is kept in
# build/asan/findings/<target>/ and makes the script fail. Without TARGET
# names every target runs, two at a time (AMBREL_FUZZ_JOBS).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
scripts/install-deps.sh
build=build/asan
cmake --preset asan >/dev/null
# Nothing to do when scripts/test-sanitizers.sh has just built the tree.
cmake --build --preset asan -j"$(nproc)" --target fuzz

seeds="$build/seeds"
rm -rf "$seeds"
"$build/fuzz/ambrel-fuzz-seeds" "$seeds"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Targets run AMBREL_FUZZ_JOBS at a time (the number of cores, at most 2
# unless told), each writing its own log.
jobs=${AMBREL_FUZZ_JOBS:-$(nproc)}
[ -n "${AMBREL_FUZZ_JOBS:-}" ] || [ "$jobs" -le 2 ] || jobs=2
run_target() {
  local target=$1 corpus="$build/corpus/$1" findings="$build/findings/$1"
  mkdir -p "$corpus" "$findings"
  local dict="fuzz/dictionaries/$target.dict" dict_option=()
  [ -f "$dict" ] && dict_option=(-dict="$dict")
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" "${dict_option[@]}" \
    "$corpus" "$seeds/$target" 2>"$build/fuzz-$target.log"
}
failed=()
report() {  # target pid
  if ! wait "$2"; then
    failed+=("$1")
    echo "== $1: FAILED" >&2
    tail -n 40 "$build/fuzz-$1.log" >&2
  else
    echo "== $1: $seconds s"
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$build/fuzz-$1.log" || true
}
running_targets=()
running_pids=()
for target in "${targets[@]}"; do
  if [ ${#running_pids[@]} -ge "$jobs" ]; then
    report "${running_targets[0]}" "${running_pids[0]}"
    running_targets=("${running_targets[@]:1}")
    running_pids=("${running_pids[@]:1}")
  fi
  run_target "$target" &
  running_targets+=("$target")
  running_pids+=($!)
done
for i in "${!running_pids[@]}"; do report "${running_targets[$i]}" "${running_pids[$i]}"; done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz findings in: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
