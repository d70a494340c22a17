#!/usr/bin/env bash
# Another window taking the keyboard focus pauses the game while thrust is
# held: the pause menu shows over a still scene and the key-up goes to the other
# window. The game stays paused when the focus comes back; Escape at the
# menu's top goes on (its release quits nothing) and the craft coasts at the
# speed it had: the held key no longer acts. Then P, a click on "Quit", Down
# and Return end the game with status 0.
source "$(dirname "$0")/lib/common.bash"
command -v xmessage >/dev/null || fail "xmessage (x11-utils) is not installed"

# The menu's title is white over the dimmed scene; the scene rectangle below
# it shows the gates spinning and the field drifting.
pause_shown() { probe_menu_title; [ "$PROBE_BRIGHT" -ge 60 ]; }
pause_gone() { probe_menu_title; [ "$PROBE_BRIGHT" -lt 30 ]; }
scene_sum() { probe_text_line 0.2 0.6 600; echo "$PROBE_SUM"; }

start_game
wait_for_window
wait_for_frames
focus_window "$GAME_WINDOW"
pause_gone || fail "the game shows PAUSE before anything paused it ($PROBE_BRIGHT bright pixels)"
hold_until_speed_changes w held

XMESSAGE_PID=
trap 'kill "$XMESSAGE_PID" 2>/dev/null; cleanup' EXIT
xmessage -geometry +0+0 "another window" &
XMESSAGE_PID=$!
xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name '^xmessage$' | head -n 1)"
poll_until 5 pause_shown || { xdotool keyup w; fail "the focus went to another window and the game did not pause"; }
xdotool keyup w  # heard by the other window only
still=$(scene_sum)
sleep 1
[ "$(scene_sum)" = "$still" ] || fail "the scene moved while paused"
echo "focus elsewhere: the pause menu over a still scene"

kill "$XMESSAGE_PID"
focus_window "$GAME_WINDOW"
xdotool windowfocus --sync "$GAME_WINDOW"
sleep 0.5
pause_shown || fail "the focus came back and the game went on by itself"

xdotool key Escape
poll_until 5 pause_gone || fail "Escape at the menu's top did not resume the game"
# The menu dims the readout while paused: the speed is read as the flight goes on.
speed_resumed=$(probe_speed; echo "$PROBE_MASK")
# Coasting: the readout settles on the speed the craft had at the pause.
poll_until 10 speed_settled || fail "the speed keeps changing after the pause: the held key still acts"
[ "$PROBE_MASK" = "$speed_resumed" ] || fail "the speed changed after the pause: the held key still acts"
echo "resumed: the craft coasts at the speed it had, thrust released"

xdotool key p
poll_until 5 pause_shown || fail "P did not open the pause menu"
# "Quit", the fifth and last row at a quarter of the width (app/menu/menu_view.h), asks first.
xdotool mousemove --window "$GAME_WINDOW" $((SCREEN_W / 4 + 30)) $((SCREEN_H / 6 + 26 * 7 - 8)) click 1
sleep 0.3
xdotool key Down Return
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
