#!/usr/bin/env bash
# The pause menu with keys and the mouse on the real binary: P opens it over
# the flight; Escape at its top goes back to flight, and the Escape's release
# does not end the game; a click on "Quit" asks first, and Down and Return
# take "Quit" and end the game with status 0.
source "$(dirname "$0")/lib/common.bash"

menu_shown() { probe_menu_title; [ "$PROBE_BRIGHT" -ge 60 ]; }
menu_gone() { probe_menu_title; [ "$PROBE_BRIGHT" -lt 30 ]; }

start_game
wait_for_window
wait_for_frames
focus_window "$GAME_WINDOW"
menu_gone || fail "the menu shows before anything paused the game"

xdotool key p
poll_until 5 menu_shown || fail "P did not open the pause menu"
xdotool key Escape
poll_until 5 menu_gone || fail "Escape at the menu's top did not go back to flight"
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "Escape in the menu ended the game"
echo "Escape in the menu: back to flight, the game goes on"

xdotool key p
poll_until 5 menu_shown || fail "P did not open the pause menu again"
# "Quit", the fourth row: baselines 26 pixels apart from 5 rows below the
# title's (app/menu_view.h), at a quarter of the width.
quit_y=$(( SCREEN_H / 6 + 26 + (3 + 2) * 26 - 8 ))
xdotool mousemove --window "$GAME_WINDOW" $(( SCREEN_W / 4 + 30 )) "$quit_y" click 1
sleep 0.3
xdotool key Down Return
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
echo "a click on Quit asked first; Down and Return quit with status 0"
