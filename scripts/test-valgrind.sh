#!/usr/bin/env bash
# Runs the command-line host under valgrind memcheck rendering the demo signal
# through both plug-ins (oversampling and three bands on, then 64-bit
# defaults): any memory error or definite leak fails. Builds into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target ambrel-host ambrel-demo-signal Ambrel2x64 Ambrel_x64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export AMBREL_SETTINGS_DIR="$work/settings"
"$build/tools/ambrel-demo-signal" "$work/demo.wav" --seconds 4 >/dev/null
status=0
for plugin in Ambrel2x64 Ambrel_x64; do
  for options in "--set 26=1 --set 1=1" "--double"; do
    echo "== $plugin $options"
    # shellcheck disable=SC2086
    if ! valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect --error-exitcode=9 --quiet \
        "$build/tools/ambrel-host" render "$build/plugins/$plugin.so" "$work/demo.wav" "$work/out.wav" $options \
        >"$work/log" 2>&1; then
      cat "$work/log" >&2
      status=1
    fi
  done
done
exit $status
