#!/usr/bin/env bash
# Broken or missing data files: a missing texture ends the game quietly with
# status 0, a model whose counts cannot be allocated ends it with status 1,
# and a missing model file is reported while the game runs on without it.
source "$(dirname "$0")/lib/common.bash"

NO_FILES=$'Error opening file: vorel.ini\nError opening file: bestenliste.txt\n'

# 1. Textures load in table order; the first missing one ends the program
# after its message, before any frame.
copy_game_data
rm "$E2E_DIR/game/explosion/spr012.tga"
launch_game
wait_for_exit 30
[ "$GAME_STATUS" = 0 ] || fail "missing texture: exit status $GAME_STATUS, expected 0"
cmp -s "$GAME_OUT" <(printf '%s\nUnable to load TGA File!\n' "$NO_FILES") ||
  fail "missing texture: output is not the two file messages and then the TGA message"
echo "missing explosion/spr012.tga: TGA message, exit status 0"

# 2. A negative vertex count is an allocation that cannot succeed: two German
# lines and status 1, before the display is touched.
copy_game_data
asteroid=$E2E_DIR/game/asteroid1.txt
# The first number is the mesh count, the second the first mesh's vertex count.
awk 'NR == 2 { print "-5"; next } { print }' "$asteroid" >"$asteroid.new" && mv "$asteroid.new" "$asteroid"
[ "$(sed -n 2p "$asteroid")" = "-5" ] || fail "could not break the asteroid model"
launch_game
wait_for_exit 30
[ "$GAME_STATUS" = 1 ] || fail "negative vertex count: exit status $GAME_STATUS, expected 1"
cmp -s "$GAME_OUT" <(printf '%sFehler! Kein Speicher mehr da! (Vertices)\nSystemmeldung: bad allocation\n' "$NO_FILES") ||
  fail "negative vertex count: output is not the file messages and the two German lines"
[ -z "$(xdotool search --onlyvisible --name '^vorel$' 2>/dev/null)" ] ||
  fail "negative vertex count: a game window is still on the screen"
echo "negative vertex count: two German lines, exit status 1"

# 3. A missing model is reported for every record that loads it; the game
# runs on with those records empty.
copy_game_data
rm "$E2E_DIR/game/rocket.txt"
launch_game
wait_for_window
wait_for_frames
expected="$NO_FILES$(printf 'Error opening file: rocket.txt\n%.0s' 1 2 3 4 5 6 7 8)"
[ "$(cat "$GAME_OUT")" = "$expected" ] ||
  fail "missing rocket.txt: output is not the file messages and one line per rocket slot"
# A launch still works: the rocket has no shape, but its cooldown runs.
focus_window "$GAME_WINDOW"
xdotool click 1
poll_until 10 rocket_preparing_shown || fail "missing rocket.txt: a left click did not launch"
press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "missing rocket.txt: exit status $GAME_STATUS, expected 0"
echo "missing rocket.txt: reported 8 times, the game ran and launched"
