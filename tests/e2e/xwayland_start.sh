#!/usr/bin/env bash
# On a Wayland desktop the game runs through XWayland: weston with XWayland,
# on a socket and runtime folder of its own. Headless, the game must open its
# full-screen window without asking for a mode, draw frames, leave XWayland
# running and end on SIGTERM; drawing into this test's Xvfb, its pointer warps
# must keep mouse-look turning as the hand moves on, and Escape must end it.
source "$(dirname "$0")/lib/common.bash"

SKIP=77
command -v weston >/dev/null && command -v Xwayland >/dev/null || { echo "SKIP: weston or Xwayland is missing"; exit $SKIP; }

# Starts weston with backend $1 ("headless", or "x11" drawing into $DISPLAY);
# XWAYLAND is the display its log names. Skips the test if weston fails.
WESTON_PID= XWAYLAND=
start_weston() {
  local runtime=$E2E_DIR/runtime-$1
  mkdir -m 0700 "$runtime"
  XDG_RUNTIME_DIR=$runtime weston --backend="$1-backend.so" --xwayland --socket=vorel --no-config \
    --width=1024 --height=768 --log="$runtime/weston.log" &
  WESTON_PID=$!
  XWAYLAND=
  for _ in $(seq 1 200); do
    XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log" 2>/dev/null)
    [ -n "$XWAYLAND" ] || ! kill -0 "$WESTON_PID" 2>/dev/null && break
    sleep 0.1
  done
  [ -n "$XWAYLAND" ] || { echo "SKIP: weston's $1 backend did not start"; tail -n 5 "$runtime/weston.log" 2>/dev/null; exit $SKIP; }
  rm -f "$E2E_DIR/swaps"
  GAME_ENV=(DISPLAY="$XWAYLAND" WAYLAND_DISPLAY=vorel XDG_RUNTIME_DIR="$runtime"
    LD_PRELOAD="$SWAP_PROBE" VOREL_SWAP_COUNT_FILE="$E2E_DIR/swaps")
}
stop_weston() {
  [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID"
  WESTON_PID=
}
trap 'stop_game; stop_weston; cleanup' EXIT

swaps_at_least() { [ "$(cat "$E2E_DIR/swaps" 2>/dev/null || echo 0)" -ge "$1" ]; }
xwayland_size() { DISPLAY=$XWAYLAND "$SCREEN_PROBE" size; }

start_weston headless
start_game
poll_until 60 swaps_at_least 30 || fail "fewer than 30 frames drawn through XWayland"
grep -qx "vorel: XWayland cannot change screen settings, opening a full-screen window" "$E2E_DIR/stderr.txt" ||
  fail "no line on standard error about opening a window instead of changing the mode"
window=$(DISPLAY=$XWAYLAND xdotool search --name '^vorel$' getwindowgeometry | sed -n 's/.*Geometry: *//p')
[ "$window" = 1024x768 ] || fail "the game's window is '$window', expected the whole 1024x768 desktop"
[ "$(xwayland_size)" = "1024 768" ] || fail "XWayland is gone after the game's start"
kill -s TERM "$GAME_PID"
wait_for_exit 10
[ "$GAME_STATUS" = 143 ] || fail "SIGTERM: exit status $GAME_STATUS, expected death by the signal"
xwayland_size >/dev/null || fail "XWayland did not outlive the game"
echo "headless: $(cat "$E2E_DIR/swaps")+ frames in a ${window} window, XWayland alive after the game's end"
stop_weston

# Under the x11 backend xdotool moves the pointer. The game warps it back to
# x 200 at the band's edge (x 300); honoured, the next moves count from there.
start_weston x11
launch_game
poll_until 60 swaps_at_least 10 || fail "no frames drawn through XWayland under the x11 backend"
pointer_x() { DISPLAY=$XWAYLAND xdotool getmouselocation | sed -n 's/^x:\([0-9]*\) .*/\1/p'; }
pointer_at() { [ "$(pointer_x)" = "$1" ]; }
expected=200 previous=200
xdotool mousemove 200 200
poll_until 10 pointer_at 200 || fail "the game's pointer never reached x 200 (at $(pointer_x))"
for x in $(seq 220 20 500) 480 460 440; do
  expected=$((expected + x - previous)) previous=$x
  [ "$expected" -ge 300 ] && expected=200
  xdotool mousemove "$x" 200
  poll_until 10 pointer_at "$expected" || fail "hand at x $x: the game's pointer is at $(pointer_x), expected $expected"
done
xdotool key Escape
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "Escape: exit status $GAME_STATUS, expected 0"
echo "x11 backend: the pointer stayed in the band and followed the hand back (x $expected), Escape ended the game"
