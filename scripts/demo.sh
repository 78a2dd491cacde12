#!/usr/bin/env bash
# The main job: installs what is needed, builds both plug-ins and the
# command-line host, and renders a generated mix-like demo (drums, bass and a
# chord with peaks above full scale) through a few factory settings. Each render
# prints its summary and leaves a WAV file and a PNG picture (input and output
# waveforms, gain reduction over time) in build/release/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target Ambrel2x64 Ambrel_x64 ambrel-host ambrel-demo-signal ambrel-plot

host="$build/tools/ambrel-host"
plot="$build/tools/ambrel-plot"
full="$build/plugins/Ambrel2x64.so"
sibling="$build/plugins/Ambrel_x64.so"
out="$build/demo"
mkdir -p "$out"
# The demo keeps its settings to itself.
export AMBREL_SETTINGS_DIR="$out/settings"
mkdir -p "$AMBREL_SETTINGS_DIR"

"$build/tools/ambrel-demo-signal" "$out/demo-input.wav" --seconds 8
"$host" info "$full" | head -n 12

# name | plug-in | parameter settings (index=normalized value), from the factory bank
renders=(
  "default|$full|"
  "mastering-first-aid|$full|1=1 4=0.535 8=0.54 9=0.55 11=0.57 14=0.4984"
  "mix-extra-pressure-fat|$full|1=1 4=0.6 5=0.2 6=0.6 7=0.75 10=0.5 13=0.48 14=0.4984 26=1"
  "mix-heavydriven-tape|$full|1=1 4=0.5 5=0.4 6=0 7=0 8=0.485 9=0.54 11=0.4 14=0.4984 18=0.75 20=0.25"
  "sibling-guitar-track|$sibling|1=0 3=0 4=0.8 5=0.75 6=0.472 7=0.35 8=0.75 10=0.3 13=0.3 14=0.4984"
)
for entry in "${renders[@]}"; do
  IFS='|' read -r name plugin settings <<<"$entry"
  args=()
  for s in $settings; do args+=(--set "$s"); done
  echo
  echo "== $name"
  "$host" render "$plugin" "$out/demo-input.wav" "$out/$name.wav" --compensate "${args[@]}"
  "$plot" "$out/demo-input.wav" "$out/$name.wav" "$out/$name.png" --title "$name"
done
echo
echo "Renders and pictures: $out"
