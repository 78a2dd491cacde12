#!/usr/bin/env bash
# Runs the command-line host under valgrind memcheck rendering the demo signal
# through both plug-ins (oversampling and three bands on, then 64-bit
# defaults), then opens, idles and closes each plug-in's editor 100 times in a
# window of a host of ours under Xvfb (ambrel-editor-cycles): any memory error
# or definite leak fails. Third-party libraries' own caches are suppressed in
# scripts/valgrind-suppressions.supp. Builds into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target ambrel-host ambrel-demo-signal ambrel-editor-cycles Ambrel2x64 Ambrel_x64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export AMBREL_SETTINGS_DIR="$work/settings"
"$build/tools/ambrel-demo-signal" "$work/demo.wav" --seconds 4 >/dev/null
status=0
# Symbols of the plug-ins stay known after they are unloaded, so leak stacks name our code.
memcheck=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect
  --errors-for-leak-kinds=definite,indirect --error-exitcode=9 --quiet --keep-debuginfo=yes
  --suppressions=scripts/valgrind-suppressions.supp)
for plugin in Ambrel2x64 Ambrel_x64; do
  for options in "--set 26=1 --set 1=1" "--double"; do
    echo "== $plugin $options"
    # shellcheck disable=SC2086
    if ! "${memcheck[@]}" "$build/tools/ambrel-host" render "$build/plugins/$plugin.so" "$work/demo.wav" "$work/out.wav" $options \
        >"$work/log" 2>&1; then
      cat "$work/log" >&2
      status=1
    fi
  done
done
cycles=${AMBREL_EDITOR_CYCLES:-100}
for plugin in Ambrel2x64 Ambrel_x64; do
  echo "== $plugin editor: $cycles open/idle/close cycles"
  if ! scripts/with-display.sh "${memcheck[@]}" "$build/tools/ambrel-editor-cycles" \
      "$build/plugins/$plugin.so" "$cycles" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    status=1
  fi
done
exit $status
