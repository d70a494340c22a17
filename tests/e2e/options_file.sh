#!/usr/bin/env bash
# options.ini in the real game: a refused line and an action left without a
# key are named at start, fire on the space bar launches and the left button
# no longer does, and thrust on the up arrow stops on its release (the
# toolkit's special-key release reaches us), as it does on 1 released under
# Shift (reported as "!").
source "$(dirname "$0")/lib/common.bash"

copy_game_data
printf 'key.fire = space\nkey.thrust = up 1\nkey.brake = p\nmouse.sensitivity = 50\n' >"$E2E_DIR/game/options.ini"
launch_game
wait_for_window
wait_for_frames
focus_window "$GAME_WINDOW"
for line in 'Error in options.ini line 4: mouse.sensitivity must be from 0.1 to 10' \
  'options.ini: pause has no key now'; do
  grep -qxF "$line" "$GAME_OUT" || fail "the start-up output lacks: $line"
done

xdotool click 1
sleep 1
rocket_ready_shown || fail "the left button still launches with fire moved to space"
xdotool key space
poll_until 10 rocket_preparing_shown || fail "space did not launch with fire moved to it"
echo "fire: space launches, the left button does not"

hold_until_speed_changes Up
poll_until 3 speed_settled || fail "the speed kept changing after Up was released: thrust stayed on"
echo "thrust: Up held changed the speed, its release stopped the thrust"
hold_until_speed_changes 1 held
xdotool keydown shift keyup 1 keyup shift
poll_until 3 speed_settled || fail "the speed kept changing after 1 came up under Shift: thrust stayed on"
echo "thrust: 1 held changed the speed, its release under Shift stopped the thrust"

press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
