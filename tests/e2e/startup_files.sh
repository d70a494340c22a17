#!/usr/bin/env bash
# What the game reads at start and echoes on standard output, and that leaving
# without a completed lap never touches the high-score file.
source "$(dirname "$0")/lib/common.bash"

# 1. Neither file: both are reported, the settings file first, and the game
# runs. Escape without a lap must not create a high-score file.
copy_game_data
run_and_leave
expected=$'Error opening file: vorel.ini\nError opening file: bestenliste.txt'
[ "$(cat "$GAME_OUT")" = "$expected" ] || fail "start-up output without files differs from:"$'\n'"$expected"
[ -e "$E2E_DIR/game/bestenliste.txt" ] && fail "Escape without a lap created bestenliste.txt"
echo "no files: both reported, game ran, no score file written"

# 2. Both files. The settings labels are fixed-width and their text is ignored,
# and today's modes reach the echo whole;
# the high-score times are echoed in milliseconds, the first two entries only.
copy_game_data
printf 'res:1920x1080\nbpp:32\nhz:144\nname:Ace\n' >"$E2E_DIR/game/vorel.ini"
printf 'Kim 60.5\nLee 75.25\nMax 90\n' >"$E2E_DIR/game/bestenliste.txt"
# An old modification time makes any rewrite visible even within one second.
touch -d '2001-02-03 04:05:06' "$E2E_DIR/game/bestenliste.txt"
scores_before=$(stat -c '%Y %s' "$E2E_DIR/game/bestenliste.txt")
sum_before=$(sha256sum <"$E2E_DIR/game/bestenliste.txt")
run_and_leave
expected=$'1920x1080:32@144\nAce\n1920x1080:32@144\n60500\n75250'
[ "$(cat "$GAME_OUT")" = "$expected" ] || fail "start-up output with both files differs from:"$'\n'"$expected"
[ "$(stat -c '%Y %s' "$E2E_DIR/game/bestenliste.txt")" = "$scores_before" ] ||
  fail "Escape without a lap changed the modification time or size of bestenliste.txt"
[ "$(sha256sum <"$E2E_DIR/game/bestenliste.txt")" = "$sum_before" ] ||
  fail "Escape without a lap changed the bytes of bestenliste.txt"
[ "$(cat "$E2E_DIR/game/vorel.ini")" = $'res:1920x1080\nbpp:32\nhz:144\nname:Ace' ] ||
  fail "the settings file was changed"
echo "both files: echoed, high-score file untouched by Escape"
