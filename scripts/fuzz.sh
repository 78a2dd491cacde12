#!/usr/bin/env bash
# scripts/fuzz.sh SECONDS [TARGET...]: builds the fuzz targets with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into build/fuzz and
# runs each target for SECONDS on its seed corpus. New inputs collect in
# build/fuzz/corpus/<target>; an input that fails a target is kept in
# build/fuzz/findings/<target>/ and makes the script fail. Without TARGET
# names every target runs, one after the other.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
scripts/install-deps.sh
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DAMBREL_WERROR=ON \
  -DAMBREL_FUZZ=ON -DAMBREL_BUILD_TESTS=OFF -DAMBREL_BUILD_BENCH=OFF >/dev/null
# The skin generator runs during the build, instrumented too; fontconfig keeps
# its caches to the end, which is no leak of ours.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j"$(nproc)" --target fuzz

seeds="$build/seeds"
rm -rf "$seeds"
"$build/fuzz/ambrel-fuzz-seeds" "$seeds"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  dict="fuzz/dictionaries/$target.dict"
  dict_option=()
  [ -f "$dict" ] && dict_option=(-dict="$dict")
  echo "== $target: $seconds s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 \
      -rss_limit_mb=2048 -artifact_prefix="$findings/" "${dict_option[@]}" \
      "$corpus" "$seeds/$target" 2>"$build/fuzz-$target.log"; then
    failed+=("$target")
    tail -n 40 "$build/fuzz-$target.log" >&2
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$build/fuzz-$target.log" || true
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz findings in: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
