#!/usr/bin/env bash
# The highlight circles and their popups with a user's real pointer: hovering
# opens and lights, leaving closes, passing into the popup keeps it open until
# the pointer leaves it, a click pins it; Done, the close box, the checked menu
# item, Previous and Next close it; it reopens where and as large as the user
# left it, unpinned.
source "$(dirname "$0")/lib.sh"
start_session
start_app
board_origin

STACK_X=$((BX + 268)) STACK_Y=$((BY + 142))   # centre of the stack-type circle
RING_X=$((BX + 256 + 23)) RING_Y=$((BY + 126 + 16))
TITLE='^CPU Type Selection$'
away() { move $((BX - 150)) $((BY + 100)); }
open_count() { visible_windows "$TITLE"; }
brightness() {  # sum of the ring pixel's channels
  local c
  c=$(pixel "$RING_X" "$RING_Y")
  echo $((16#${c:0:2} + 16#${c:2:2} + 16#${c:4:2}))
}
done_button() {  # clicks Done in the popup
  geometry "$1"
  move $((GX + GW - 64 + 29)) $((GY + GH - 44 + 12))
  click
}

away
idle=$(brightness)

# Onto the circle: the popup opens and the circle lights up.
move "$STACK_X" "$STACK_Y"
P=$(wait_window "$TITLE" 3) || fail "hovering the circle opened no popup"
wait_until 2 test "$(brightness)" -gt "$idle" || fail "the circle did not light up ($idle)"
# Away, not into the popup: it closes and the circle goes back to idle.
away
wait_gone "$TITLE" 2 || fail "leaving the circle did not close the popup"
wait_until 2 test "$(brightness)" -eq "$idle" || fail "the circle stayed lit"

# Straight into the popup: it stays open until the pointer leaves the popup.
move "$STACK_X" "$STACK_Y"
P=$(wait_window "$TITLE" 3) || fail "no popup on the second hover"
geometry "$P"
move $((GX + GW / 2)) $((GY + 30))
sleep 0.3
[ "$(open_count)" -eq 1 ] || fail "the popup closed when the pointer entered it"
move $((GX + 20)) $((GY + GH - 30))   # still inside, over another control
[ "$(open_count)" -eq 1 ] || fail "the popup closed while the pointer was inside"
away
wait_gone "$TITLE" 2 || fail "the popup stayed open after the pointer left it"

# A click pins it: leaving changes nothing. Done closes it.
move "$STACK_X" "$STACK_Y"
click
P=$(wait_window "$TITLE" 3) || fail "no popup after the click"
away
sleep 0.3
[ "$(open_count)" -eq 1 ] || fail "the pinned popup closed"
done_button "$P"
wait_gone "$TITLE" 2 || fail "Done did not close the popup"

# The close box (the window manager's close request) closes it.
move "$STACK_X" "$STACK_Y"
click
P=$(wait_window "$TITLE" 3) || fail "no popup to close with the close box"
away
xdotool windowactivate --sync "$P"
xdotool key --clearmodifiers alt+F4
wait_gone "$TITLE" 2 || fail "the close box did not close the popup"

# The checked menu item closes it: Settings, "CPU Ty&pe Selection".
move "$STACK_X" "$STACK_Y"
click
P=$(wait_window "$TITLE" 3) || fail "no popup to close from the menu"
away
xdotool windowactivate --sync "$WIN"
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key p
wait_gone "$TITLE" 2 || fail "the checked menu item did not close the popup"

# Next and Previous close it and open the neighbour's popup.
move "$STACK_X" "$STACK_Y"
click
P=$(wait_window "$TITLE" 3) || fail "no popup for Next"
away
geometry "$P"
move $((GX + (GW - 58) / 2 + 29)) $((GY + GH - 44 + 12))
click
wait_gone "$TITLE" 2 || fail "Next did not close the popup"
M=$(wait_window '^mPCIe / mSATA Selection$' 3) || fail "Next did not open the next circle's popup"
geometry "$M"
move $((GX + 6 + 29)) $((GY + GH - 44 + 12))
click
wait_gone '^mPCIe / mSATA Selection$' 2 || fail "Previous did not close the popup"
P=$(wait_window "$TITLE" 3) || fail "Previous did not open the previous circle's popup"
done_button "$P"
wait_gone "$TITLE" 2

# Moved and enlarged by the user, it reopens there at that size, unpinned.
move "$STACK_X" "$STACK_Y"
click
P=$(wait_window "$TITLE" 3) || fail "no popup to move"
away
xdotool windowsize --sync "$P" 300 330
xdotool windowmove --sync "$P" 100 150
sleep 0.3
geometry "$P"
moved="$GX,$GY,$GW,$GH"
done_button "$P"
wait_gone "$TITLE" 2
move "$STACK_X" "$STACK_Y"
P=$(wait_window "$TITLE" 3) || fail "no popup when hovering again"
sleep 0.3
geometry "$P"
[ "$GX,$GY,$GW,$GH" = "$moved" ] || fail "reopened at $GX,$GY,$GW,$GH instead of $moved"
away
wait_gone "$TITLE" 2 || fail "the reopened popup was still pinned"
echo "PASS"
