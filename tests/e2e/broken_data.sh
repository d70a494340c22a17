#!/usr/bin/env bash
# Broken or missing data files: a texture that cannot be used ends the game
# with the TGA message, a line naming the file and status 1; a model whose
# counts cannot be allocated ends it with status 1; a missing or broken model
# file is reported while the game runs on without it.
source "$(dirname "$0")/lib/common.bash"

NO_FILES=$'Error opening file: vorel.ini\nError opening file: bestenliste.txt\n'

# 1. Textures load in table order; the first one that cannot be used (here a
# folder in its place) ends the program after its message, before any frame.
copy_game_data
rm "$E2E_DIR/game/explosion/spr012.tga"
mkdir "$E2E_DIR/game/explosion/spr012.tga"
launch_game
wait_for_exit 30
[ "$GAME_STATUS" = 1 ] || fail "folder for a texture: exit status $GAME_STATUS, expected 1"
cmp -s "$GAME_OUT" <(printf '%s\nUnable to load TGA File!\nexplosion/spr012.tga: not a regular file\n' "$NO_FILES") ||
  fail "folder for a texture: output is not the two file messages, the TGA message and the named line"
echo "folder as explosion/spr012.tga: TGA message, named line, exit status 1"

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

# 3. A missing model is reported for every record that loads it; a broken one
# once for all 200 asteroids, and each other file cut the same way once as
# well. The game runs on with those records empty.
copy_game_data
rm "$E2E_DIR/game/rocket.txt"
head -c 100 "$E2E_DIR/game/asteroid1.txt" >"$E2E_DIR/game/asteroid1.new"
mv "$E2E_DIR/game/asteroid1.new" "$E2E_DIR/game/asteroid1.txt"
cp "$E2E_DIR/game/asteroid1.txt" "$E2E_DIR/game/tor.txt"
launch_game
wait_for_window
wait_for_frames
expected="${NO_FILES}Error reading file: asteroid1.txt$(printf '\nError opening file: rocket.txt%.0s' 1 2 3 4 5 6 7 8)"
expected+=$'\nError reading file: tor.txt'
[ "$(cat "$GAME_OUT")" = "$expected" ] ||
  fail "missing rocket.txt, asteroid1.txt and tor.txt cut alike: output is not the file messages, one asteroid line, one line per rocket slot and one gate line"
# A launch still works: the rocket has no shape, but its cooldown runs.
focus_window "$GAME_WINDOW"
xdotool click 1
poll_until 10 rocket_preparing_shown || fail "missing rocket.txt: a left click did not launch"
press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "missing rocket.txt: exit status $GAME_STATUS, expected 0"
echo "missing rocket.txt, asteroid1.txt and tor.txt cut alike: reported 8 times and once each, the game ran and launched"
