#!/usr/bin/env bash
# options.ini in the real game: a refused line is named at start, fire on the
# space bar launches and the left button no longer does, and thrust on the up
# arrow stops on its release (the toolkit's special-key release reaches us).
source "$(dirname "$0")/lib/common.bash"

copy_game_data
printf 'key.fire = space\nkey.thrust = up\nmouse.sensitivity = 50\n' >"$E2E_DIR/game/options.ini"
launch_game
wait_for_window
wait_for_frames
focus_window "$GAME_WINDOW"
refused='Error in options.ini line 3: mouse.sensitivity must be from 0.1 to 10'
grep -qxF "$refused" "$GAME_OUT" || fail "the start-up output does not name the refused line: $refused"

xdotool click 1
sleep 1
rocket_ready_shown || fail "the left button still launches with fire moved to space"
xdotool key space
poll_until 10 rocket_preparing_shown || fail "space did not launch with fire moved to it"
echo "fire: space launches, the left button does not"

hold_until_speed_changes Up
poll_until 3 speed_settled || fail "the speed kept changing after Up was released: thrust stayed on"
echo "thrust: Up held changed the speed, its release stopped the thrust"

press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
