#!/usr/bin/env bash
# Processor time of the real game over a playing stretch and a paused one:
# the game started in a copy of the run directory, left at the start position,
# then paused with P. The figure is the game process's user + system time
# (llvmpipe's rasterizer threads included) per second of wall time.
#
#   bash bench/pause_cpu.sh [build-dir] [run-dir] [seconds]
#
# Defaults: build/, run/, 5 s a stretch. Without a display it starts itself
# again on an X server of its own. Needs xdotool.
# No -e: the shared steps test commands that may fail, as the tests do.
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$(realpath -m "${1:-build}")
DATA=$(realpath -m "${2:-run}")
SECONDS_EACH=${3:-5}

if [ -z "${DISPLAY:-}" ]; then
  exec bash "$ROOT/tests/support/own_display.sh" bash "$ROOT/bench/pause_cpu.sh" "$BUILD" "$DATA" "$SECONDS_EACH"
fi
[ -x "$BUILD/vorel" ] || { echo "pause_cpu: no game at $BUILD/vorel; build it first" >&2; exit 1; }

# The end-to-end tests' steps: a scratch copy of the data, the game started
# in it, its window found and given the keyboard.
source "$ROOT/tests/e2e/lib/common.bash" "$BUILD/vorel" "$DATA"
start_game
wait_for_window
focus_window "$GAME_WINDOW"
sleep 2

TICKS=$(getconf CLK_TCK)
# Processor milliseconds the game has used so far: utime + stime of /proc/PID/stat.
cpu_ms() {
  awk -v tck="$TICKS" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / tck) }' "/proc/$GAME_PID/stat"
}
# Processor milliseconds per wall second over the next SECONDS_EACH seconds.
per_second() {
  local before after
  before=$(cpu_ms)
  sleep "$SECONDS_EACH"
  after=$(cpu_ms)
  echo $(((after - before) / SECONDS_EACH))
}

playing=$(per_second)
xdotool key p
sleep 0.5
paused=$(per_second)
xdotool key p
press_until_exit Escape
echo "pause_cpu: playing $playing ms, paused $paused ms of processor time per second ($SECONDS_EACH s each)"
