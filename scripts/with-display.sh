#!/usr/bin/env bash
# Runs a command with an X display: the caller's if it has one, otherwise a
# private Xvfb server that is stopped again when the command ends. The server
# picks a free display number itself and never resets between clients.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 1 200); do
  [ -s "$number_file" ] && break
  sleep 0.05
done
if [ ! -s "$number_file" ]; then
  echo "with-display: Xvfb did not start; running without a display" >&2
  "$@"
  exit $?
fi
export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
"$@"
