#!/usr/bin/env bash
# The lap the autopilot flew in the real frame loop, as its replay, proved by
# the game binary: `vorel --verify` with no display and no sound device, in a
# folder holding nothing but the replay. The same lap with its time made a
# millisecond shorter, and a folder in its place, are refused with one line
# naming the file and status 1.
#   verify_replay.sh <vorel binary> <replay written by vorel_autopilot --replay-out>
set -euo pipefail
vorel=$(realpath "$1")
replay=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -s "$replay" ] || fail "the autopilot left no replay at $replay"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$replay" "$scratch/lap.replay"
cd "$scratch"

# Runs the binary headless: prints "status<TAB>output".
verify() {
  local out status=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=no-such-driver "$vorel" --verify "$1" 2>&1) || status=$?
  printf '%s\t%s' "$status" "$out"
}

result=$(verify lap.replay)
[[ $result =~ ^0$'\t'lap\.replay:\ lap\ [0-9]+\.[0-9]{3}\ s$ ]] || fail "the flown lap does not verify: $result"
echo "verified: ${result#*$'\t'}"

# The lap time is a float's bits on the line "lap <hex>": one less is a
# slightly shorter time.
lap=$(sed -n 's/^lap \([0-9a-f]\{8\}\)$/\1/p' lap.replay)
[ -n "$lap" ] || fail "no lap line in the replay"
shorter=$(printf '%08x' $((16#$lap - 1)))
sed "s/^lap $lap\$/lap $shorter/" lap.replay >shorter.replay
result=$(verify shorter.replay)
[[ $result == 1$'\t''Replay does not verify: shorter.replay: the lap ends at another time'* ]] ||
  fail "a changed lap time is not refused: $result"

mkdir folder.replay
result=$(verify folder.replay)
[ "$result" = 1$'\t''Error opening file: folder.replay' ] || fail "a folder is not refused: $result"
echo "a changed lap time and a folder are refused"
