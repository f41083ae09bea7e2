#!/usr/bin/env bash
# The program on a real X server with a window manager: one maximised window
# "Setup" with the File and Help menus, ended by File, Exit from the keyboard
# and the mouse, also while another window of the program is open; and the
# driver library is not loaded at start-up.
source "$(dirname "$0")/lib.sh"
start_session

menus_open() { xwininfo -root -children | grep -c '"Settings": ("Settings"' || true; }

# --- start-up --------------------------------------------------------------
marker="$WORK/driver-loaded"
start_app LD_LIBRARY_PATH="${FAKE_JALVEX_DIR:?}" FAKE_JALVEX_MARKER="$marker"
[ "$(visible_windows '^Setup$')" -eq 1 ] || fail "expected exactly one window titled Setup"
state=$(xprop -id "$WIN" _NET_WM_STATE)
case "$state" in *MAXIMIZED_VERT*MAXIMIZED_HORZ* | *MAXIMIZED_HORZ*MAXIMIZED_VERT*) ;; *) fail "not maximised: $state" ;; esac
geometry "$WIN"
[ "$GW" -eq 1280 ] || fail "maximised window is $GW wide on a 1280 screen"
[ ! -e "$marker" ] || fail "the driver library was loaded at start-up"

# The menu bar: File and Help open their menus.
xdotool windowactivate --sync "$WIN"
before=$(menus_open)
xdotool key --clearmodifiers alt+h
wait_until 3 test "$(menus_open)" -gt "$before" || fail "Alt+H opened no menu"
xdotool key Escape
sleep 0.2

# --- File, Exit from the keyboard ------------------------------------------
xdotool key --clearmodifiers alt+f
wait_until 3 test "$(menus_open)" -gt "$before" || fail "Alt+F opened no menu"
xdotool key e
wait_exit 1

# --- File, Exit with the mouse ---------------------------------------------
start_app
geometry "$WIN"
move $((GX + 16)) $((GY + 10))
click
wait_until 3 test "$(menus_open)" -gt 0 || fail "clicking File opened no menu"
move $((GX + 40)) $((GY + 20 + 11))
click
wait_exit 1

# --- with a popup window open ------------------------------------------------
start_app
board_origin
move $((BX + 268)) $((BY + 142))
click
wait_window '^CPU Type Selection$' 3 >/dev/null || fail "no popup for the stack-type circle"
move $((GX + 600)) $((GY + 100))
[ "$(visible_windows '^CPU Type Selection$')" -eq 1 ] || fail "the pinned popup closed"
xdotool windowactivate --sync "$WIN"
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key e
wait_exit 1
echo "PASS"
