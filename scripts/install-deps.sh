#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libx11-dev libxtst-dev libfontconfig-dev xvfb x11-utils fonts-dejavu-core
  fonts-liberation fonts-urw-base35
  # Real pointer input (XTest) for the editor tests under Wine.
  xdotool
  libsndfile1-dev
  # The fuzz targets (libFuzzer with clang) and the sanitizer runtimes.
  clang libclang-rt-14-dev
  # Memory checks of the host and the plug-ins.
  valgrind
  # A third-party VST 2.4 limiter, so our command-line host is also tested and
  # timed on a plug-in we did not write (small: about 2 MB).
  lsp-plugins-vst
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows cross build and its tests under Wine.
"$(dirname "$0")/install-deps-windows.sh"
