#!/usr/bin/env bash
# Installs the Debian packages of the Windows cross build and its test run under
# Wine: the mingw-w64 compiler (posix thread model, which has std::mutex), the
# GoogleTest sources (built with that compiler), Wine, and for the editor test
# under Wine a private X server (xvfb, xdpyinfo from x11-utils) and xdotool.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb x11-utils xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
