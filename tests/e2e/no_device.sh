#!/usr/bin/env bash
# The game starts and runs where the machine cannot give it what it asks for:
# no sound device (whatever SDL_AUDIODRIVER says), no settings or score file,
# and a display mode that cannot be set. It plays silently in a window that
# covers the screen, and says nothing about the sound on either output.
source "$(dirname "$0")/lib/common.bash"

# Runs the prepared game until it draws frames, checks its window covers the
# screen, leaves with Escape and checks what it printed. $1 names the case.
run_case() {
  local name=$1 expected_out=$2
  launch_game
  wait_for_window
  wait_for_frames
  read_screen_size
  local geometry
  geometry=$(xdotool getwindowgeometry "$GAME_WINDOW" | sed -n 's/.*Geometry: *//p')
  [ "$geometry" = "${SCREEN_W}x${SCREEN_H}" ] ||
    fail "$name: window is $geometry, expected the whole ${SCREEN_W}x${SCREEN_H} screen"
  press_until_exit Escape
  [ "$GAME_STATUS" = 0 ] || fail "$name: exit status $GAME_STATUS, expected 0"
  [ "$(cat "$GAME_OUT")" = "$expected_out" ] || fail "$name: standard output differs from:"$'\n'"$expected_out"
  # The toolkit's own warnings about the display are expected; nothing else.
  if grep -v '^freeglut' "$E2E_DIR/stderr.txt" | grep -q .; then
    fail "$name: unexpected lines on standard error:"$'\n'"$(grep -v '^freeglut' "$E2E_DIR/stderr.txt")"
  fi
  echo "$name: ran in a ${geometry} window, exit status 0"
}

NO_FILES=$'Error opening file: vorel.ini\nError opening file: bestenliste.txt'

# SDL picks its own driver; on a machine without sound it finds none and the
# game must fall back by itself. Then drivers named explicitly: one that
# cannot open here and one that does not exist.
for driver in "" alsa no-such-driver; do
  GAME_AUDIO_DRIVER=$driver
  copy_game_data
  run_case "SDL_AUDIODRIVER=${driver:-(unset)}" "$NO_FILES"
done

# A display mode far beyond the screen: game mode fails and the game opens a
# full-screen window instead (the toolkit says so). The resolution is read whole.
GAME_AUDIO_DRIVER=dummy
copy_game_data
printf 'res:9999x9999\nbpp:32\nhz:85\nname:Ace\n' >"$E2E_DIR/game/vorel.ini"
run_case "mode res:9999x9999" $'9999x9999:32@85\nAce\n9999x9999:32@85\nError opening file: bestenliste.txt'
grep -q "failed to change screen settings" "$E2E_DIR/stderr.txt" || fail "game mode was not tried on a plain X server"
