#!/usr/bin/env bash
# The real game starts in a scratch directory, maps its window and ends with
# status 0 when Escape is pressed.
source "$(dirname "$0")/lib/common.bash"

start_game
wait_for_window
sleep 1  # a few frames of the main loop
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
grep -q "called without first calling" "$E2E_DIR/stderr.txt" && fail "toolkit call after the main loop ended"
echo "escape: exit status 0"
