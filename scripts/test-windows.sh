#!/usr/bin/env bash
# The Windows test set: installs the cross compiler, GoogleTest sources and
# Wine (scripts/install-deps-windows.sh), builds the skin generator for this
# machine when there is none, cross-builds both DLLs, the Windows host and the
# Windows tests into build/windows (a unity build: far less compiling of the
# system headers), and runs their CTest under Wine on a private X server.
# The Wine prefix is build/windows/wine-prefix, made on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${AMBREL_JOBS:-2}

scripts/install-deps-windows.sh

# The skin generator runs here, not under Wine: the Linux build's when there
# is one (brought up to date), else one built alone in build/skin-gen.
if [ -f build/release/build.ninja ]; then
  generator_build=build/release
else
  generator_build=build/skin-gen
  if [ ! -f "$generator_build/build.ninja" ]; then
    scripts/install-deps.sh  # cairo, fontconfig and freetype for the generator
    cmake -S . -B "$generator_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DAMBREL_BUILD_TESTS=OFF -DAMBREL_BUILD_BENCH=OFF
  fi
fi
nice -n 10 cmake --build "$generator_build" -j"$jobs" --target ambrel-skin-gen
generator="$PWD/$generator_build/resources/ambrel-skin-gen"

build=build/windows
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DAMBREL_WERROR=ON -DAMBREL_BUILD_BENCH=OFF \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=48 \
  -DAMBREL_SKIN_GENERATOR="$generator"
nice -n 10 cmake --build "$build" -j"$jobs"
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 600
