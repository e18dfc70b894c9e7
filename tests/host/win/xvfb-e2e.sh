#!/usr/bin/env bash
# Runs a program on a private Xvfb display that it starts and stops itself, so that the
# desktop tests need no running desktop. Usage: xvfb-e2e.sh PROGRAM [ARGS...]
set -euo pipefail

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the descriptor given.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 200); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "xvfb-e2e: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "xvfb-e2e: Xvfb gave no display number" >&2
  exit 1
fi

DISPLAY=":$(tr -d '[:space:]' < "$work/display")" "$@"
