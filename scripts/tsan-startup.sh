#!/usr/bin/env bash
# The start-up under ThreadSanitizer: builds the game with it into
# build-tsan/ and runs it under a fresh Xvfb screen the ways that exercise the
# start-up's helper threads (textures and the radio decoding beside the
# display's set-up, then handed over):
#   1. a normal start, frames until the radio is playing, then Escape;
#   2. Escape as soon as the window is up, the radio perhaps still decoding;
#   3. a texture that cannot be used: its message and status 1, with the
#      texture helper running;
#   4. a model whose counts cannot be allocated: status 1 before the display,
#      with the texture helper running;
#   5. the display lost while the radio plays (the window killed, as a logout
#      or a restarted X server does): Xlib's exit(1) with the mixer running.
# Any report of the sanitizer fails the check.
#
#   bash scripts/tsan-startup.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-tsan

if [[ "${1:-}" != "--inner" ]]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_SANITIZE_THREAD=ON \
        -DVOREL_RUN_DIR="$build/run" >/dev/null
    cmake --build "$build" -j2 --target vorel vorel_generated_data vorel_screen_probe
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inner
fi

# The end-to-end steps test each result themselves, as the e2e tests do.
set +e +o pipefail
export TSAN_OPTIONS="halt_on_error=0 exitcode=66 second_deadlock_stack=1"
source "$root/tests/e2e/lib/common.bash" "$build/vorel" "$build/run" "$build/tests/e2e/vorel_screen_probe"

no_reports() {
    if grep -q "ThreadSanitizer" "$E2E_DIR/stderr.txt"; then
        cat "$E2E_DIR/stderr.txt" >&2
        fail "$1: ThreadSanitizer reported the above"
    fi
    echo "$1: no reports"
}

copy_game_data
launch_game
wait_for_window
wait_for_frames
sleep 3  # long enough for the radio's track to be decoded and started
press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "normal start: exit status $GAME_STATUS"
no_reports "normal start, radio started, Escape"

copy_game_data
launch_game
wait_for_window
press_until_exit Escape
[ "$GAME_STATUS" = 0 ] || fail "early Escape: exit status $GAME_STATUS"
no_reports "Escape at once"

copy_game_data
rm "$E2E_DIR/game/explosion/spr012.tga"
launch_game
wait_for_exit 60
[ "$GAME_STATUS" = 1 ] || fail "missing texture: exit status $GAME_STATUS, expected 1"
no_reports "missing texture"

copy_game_data
awk 'NR == 2 { print "-5"; next } { print }' "$E2E_DIR/game/asteroid1.txt" >"$E2E_DIR/game/asteroid1.new"
mv "$E2E_DIR/game/asteroid1.new" "$E2E_DIR/game/asteroid1.txt"
launch_game
wait_for_exit 60
[ "$GAME_STATUS" = 1 ] || fail "broken model: exit status $GAME_STATUS, expected 1"
no_reports "broken model"

copy_game_data
launch_game
wait_for_window
wait_for_frames
sleep 3  # the radio decoded and playing
xdotool windowkill "$GAME_WINDOW"
wait_for_exit 60
[ "$GAME_STATUS" = 1 ] || fail "display lost: exit status $GAME_STATUS, expected Xlib's 1"
no_reports "display lost while the radio plays"
