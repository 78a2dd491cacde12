#!/usr/bin/env bash
# Builds the whole project with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (the "asan" preset, into build/asan) and runs every test under them. Any
# report stops the program that made it, so it fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
scripts/with-display.sh ctest --preset asan -j"$(nproc)"
