# Shared by the end-to-end tests: a private X server with a window manager,
# the real Settings program, real input through xdotool, screenshots.
set -euo pipefail

APP=${SETTINGS_APP:?SETTINGS_APP must name the Settings executable}
WORK=$(mktemp -d)
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"
APP_PID=
X_PID=
WM_PID=

fail() {
  echo "FAIL: $*" >&2
  local shot
  shot=$(mktemp --suffix=.png)
  [ -n "${DISPLAY:-}" ] && import -window root "$shot" 2>/dev/null && echo "screenshot: $shot" >&2
  exit 1
}

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "$X_PID" ] && kill "$X_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

start_session() {
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/display" 2>/dev/null &
  X_PID=$!
  for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
  [ -s "$WORK/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$WORK/display")"
  unset WAYLAND_DISPLAY
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  # The window manager is up once it owns the screen's manager selection.
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done
  # It announces itself before it handles map requests; give it a moment.
  sleep 0.5
}

# start_app [env...]: runs Settings and waits for its main window.
start_app() {
  env "$@" "$APP" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  WIN=$(wait_window '^Setup$') || fail "no window titled Setup"
  wait_painted
}

wait_window() {  # NAME-REGEX [seconds]: id of the first visible window
  local id
  id=$(timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null) || true
  id=${id%%$'\n'*}
  [ -n "$id" ] && echo "$id"
}

visible_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

wait_gone() {  # NAME-REGEX [seconds]
  for _ in $(seq $((${2:-5} * 20))); do [ "$(visible_windows "$1")" -eq 0 ] && return 0; sleep 0.05; done
  return 1
}

wait_until() {  # SECONDS COMMAND...: polls until the command succeeds
  local limit=$1
  shift
  for _ in $(seq $((limit * 20))); do "$@" && return 0; sleep 0.05; done
  return 1
}

# The main window has painted once the photograph shows on the screen.
wait_painted() {
  wait_until 20 photo_shown || fail "the photograph never appeared"
}
photo_shown() {
  board_origin
  local c
  c=$(pixel "$((BX + 300))" "$((BY + 150))")
  [ "$c" != "ffffff" ]
}

# Client geometry of a window: GX GY GW GH.
geometry() {
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "GX="$4} /Absolute upper-left Y/{print "GY="$4} /Width:/{print "GW="$2} /Height:/{print "GH="$2}')"
}

# Where the board picture stands on the screen: BX BY. It centres itself on
# the main window's outer size by the classic frame metrics (8-pixel border,
# 23-pixel caption, 20-pixel menu bar), in the client area below the menu bar.
board_origin() {
  geometry "$WIN"
  BX=$((GX + (GW + 16 - 600) / 2))
  BY=$((GY + 20 + (GH + 16 + 23 - 300) / 2))
}

pixel() {  # X Y: the colour on the screen as rrggbb
  import -window root -crop "1x1+$1+$2" txt:- 2>/dev/null | awk 'NR==2{print tolower(substr($3,2,6))}'
}

shot() { import -window root "$1"; }

move() { xdotool mousemove --sync "$1" "$2"; sleep 0.15; }
click() { xdotool click "${1:-1}"; sleep 0.15; }

wait_exit() {  # SECONDS: the program ends with status 0 within that time
  local waited=0
  while kill -0 "$APP_PID" 2>/dev/null; do
    sleep 0.05
    waited=$((waited + 1))
    [ "$waited" -gt $(($1 * 20)) ] && fail "Settings still runs after $1 s"
  done
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" -eq 0 ] || fail "Settings ended with status $status"
}
