#!/usr/bin/env bash
# Runs a Windows program under Wine for the Windows test set (the cross build's
# CMAKE_CROSSCOMPILING_EMULATOR): wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# The Wine prefix is a throw-away one in the build folder (the nearest folder
# above the program holding a CMakeCache.txt, else the current folder):
# <build>/wine-prefix, created on first use and reused. WINEPREFIX set by the
# caller wins. The prefix's X11 driver leaves window management to Wine
# (Managed=N), so windows open where the program puts them without a window
# manager. Wine's own messages are off (WINEDEBUG=-all unless set), carriage
# returns are stripped from the program's output and the program's exit code
# is the script's.
#
# The desktop process of a Wine session keeps the X display it was started on:
# when the display differs from the one of the running session, the script
# waits for that session to end (wineserver -w) before it starts the program.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi

if [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
elif command -v wine64 >/dev/null 2>&1; then
  wine=$(command -v wine64)
elif command -v wine >/dev/null 2>&1; then
  wine=$(command -v wine)
else
  echo "wine-run: no Wine found (scripts/install-deps-windows.sh installs it)" >&2
  exit 127
fi
if [ -x /usr/lib/wine/wineserver64 ]; then
  wineserver=/usr/lib/wine/wineserver64
elif [ -x /usr/lib/wine/wineserver ]; then
  wineserver=/usr/lib/wine/wineserver
else
  wineserver=$(command -v wineserver || echo wineserver)
fi

if [ -z "${WINEPREFIX:-}" ]; then
  folder=$(cd "$(dirname "$1")" 2>/dev/null && pwd || pwd)
  build=
  while [ "$folder" != / ] && [ -n "$folder" ]; do
    if [ -f "$folder/CMakeCache.txt" ]; then
      build=$folder
      break
    fi
    folder=$(dirname "$folder")
  done
  WINEPREFIX="${build:-$PWD}/wine-prefix"
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko installers when the prefix is made, and no first-run dialogs.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

mkdir -p "$(dirname "$WINEPREFIX")"
lock="$WINEPREFIX.lock"
exec 9>"$lock"
flock 9
if [ ! -f "$WINEPREFIX/.ambrel-ready" ]; then
  # A new prefix, or one a run stopped while it was being made: wineboot
  # creates or completes it.
  "$wine" wineboot --init >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  "$wineserver" -w
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    echo "wine-run: could not prepare the Wine prefix $WINEPREFIX" >&2
    exit 125
  fi
  touch "$WINEPREFIX/.ambrel-ready"
fi
display_file="$WINEPREFIX/.ambrel-display"
if [ "$(cat "$display_file" 2>/dev/null)" != "${DISPLAY:-}" ]; then
  "$wineserver" -w  # a session on another display (or none) ends first
  printf '%s' "${DISPLAY:-}" >"$display_file"
fi
flock -u 9

# Both streams filtered, each to where it was going; the script returns only
# once both filters are done.
status_file=$(mktemp)
trap 'rm -f "$status_file"' EXIT
{ { "$wine" "$@"; echo $? >"$status_file"; } 2>&1 1>&3 3>&- | tr -d '\r' >&2; } 3>&1 | tr -d '\r'
status=$(cat "$status_file")
exit "${status:-1}"
