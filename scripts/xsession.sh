#!/usr/bin/env bash
# xsession.sh PROGRAM SHOT: runs PROGRAM on a private Xvfb with openbox,
# waits until its main window "Setup" has painted, writes a screenshot to SHOT
# and ends the program through its File, Exit command, then the server.
set -euo pipefail
APP=$1
SHOT=$2
SIZE=${XSESSION_SIZE:-1280x1024}

cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${X_PID:-}" ] && kill "$X_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -f "${FD_FILE:-}"
  rm -rf "${RUNTIME:-}"
}
trap cleanup EXIT

FD_FILE=$(mktemp)
RUNTIME=$(mktemp -d)
chmod 700 "$RUNTIME"
export XDG_RUNTIME_DIR="$RUNTIME"
Xvfb -displayfd 1 -screen 0 "${SIZE}x24" -nolisten tcp >"$FD_FILE" 2>/dev/null &
X_PID=$!
for _ in $(seq 100); do [ -s "$FD_FILE" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$FD_FILE")"
unset WAYLAND_DISPLAY
openbox --sm-disable >/dev/null 2>&1 &
WM_PID=$!
sleep 0.3

"$APP" &
APP_PID=$!
WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Setup$' | head -n1)
# The window is mapped; give it time to paint and to show what opens after start-up.
sleep 1.5
import -window root "$SHOT"

xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+f
sleep 0.2
xdotool key e
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$APP_PID" 2>/dev/null; then
  echo "Settings did not end through File, Exit" >&2
  exit 1
fi
wait "$APP_PID"
APP_PID=
