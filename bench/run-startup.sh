#!/usr/bin/env bash
# Runs the start-up comparison on a private X server with a window manager.
#   bench/run-startup.sh [ROUNDS]   (after ./test has built everything)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BENCH="$ROOT/build/bench/startup_bench"
FD=$(mktemp)
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$FD" 2>/dev/null &
XPID=$!
trap 'kill $WMPID $XPID 2>/dev/null || true; rm -f "$FD"' EXIT
for _ in $(seq 100); do [ -s "$FD" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$FD")"
openbox --sm-disable >/dev/null 2>&1 &
WMPID=$!
sleep 1
"$BENCH" compare "${1:-10}"
