#!/usr/bin/env bash
# Ctrl+C in the terminal (SIGINT) and a plain kill (SIGTERM) end a running
# game, as they end any other program; the sound library must not swallow them.
source "$(dirname "$0")/lib/common.bash"

for signal in TERM INT; do
  start_game
  wait_for_window
  wait_for_frames
  kill -s "$signal" "$GAME_PID"
  wait_for_exit 10
  # A shell reports death by signal N as status 128 + N.
  [ "$GAME_STATUS" = $((128 + $(kill -l "$signal"))) ] ||
    fail "SIG$signal: exit status $GAME_STATUS, expected death by the signal"
  echo "SIG$signal: the game ended (status $GAME_STATUS)"
done
