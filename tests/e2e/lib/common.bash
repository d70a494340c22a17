# Shared steps of the end-to-end tests: a scratch working directory with the
# generated game data, the real binary started in it, and X input via xdotool.
# Usage in a test: source this file with the binary and run directory as $1 $2.

set -u
VOREL_BIN=$1
VOREL_DATA=$2
E2E_DIR=$(mktemp -d /tmp/vorel-e2e-XXXXXX)
GAME_PID=
GAME_OUT=$E2E_DIR/stdout.txt

fail() {
  echo "FAIL: $*" >&2
  [ -f "$GAME_OUT" ] && { echo "--- game output:" >&2; cat "$GAME_OUT" >&2; }
  exit 1
}

cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -9 "$GAME_PID" 2>/dev/null
  fi
  rm -rf "$E2E_DIR"
}
trap cleanup EXIT

[ -n "${DISPLAY:-}" ] || fail "no X display; run the tests through the README's test command"
command -v xdotool >/dev/null || fail "xdotool is not installed"

# Copies the generated data (not the player's own files) into the scratch directory.
copy_game_data() {
  mkdir -p "$E2E_DIR/game"
  if [ -d "$VOREL_DATA" ]; then
    cp -a "$VOREL_DATA/." "$E2E_DIR/game/"
    rm -f "$E2E_DIR/game/vorel.ini" "$E2E_DIR/game/bestenliste.txt"
  fi
}

start_game() {
  copy_game_data
  (cd "$E2E_DIR/game" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec "$VOREL_BIN" >"$GAME_OUT" 2>"$E2E_DIR/stderr.txt") &
  GAME_PID=$!
}

# Waits until the game's window is mapped; sets GAME_WINDOW to its id.
GAME_WINDOW=
wait_for_window() {
  for _ in $(seq 1 300); do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
    GAME_WINDOW=$(xdotool search --onlyvisible --name '^vorel$' 2>/dev/null | head -n 1)
    [ -n "$GAME_WINDOW" ] && return 0
    sleep 0.1
  done
  fail "no game window within 30 s"
}

# Keyboard focus follows the pointer under a bare X server.
focus_window() {
  xdotool mousemove --window "$1" 200 200
  sleep 0.2
}

# Waits for the game to end; sets GAME_STATUS to its exit status.
GAME_STATUS=
wait_for_exit() {
  local seconds=$1
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      GAME_STATUS=$?
      GAME_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $seconds s"
}

# Presses a key until the game ends (a loaded machine may still be moving the
# pointer into the window when the first press arrives); sets GAME_STATUS.
press_until_exit() {
  local key=$1
  for _ in 1 2 3; do
    focus_window "$GAME_WINDOW"
    xdotool key "$key"
    for _ in $(seq 1 50); do
      kill -0 "$GAME_PID" 2>/dev/null || { wait_for_exit 1; return 0; }
      sleep 0.1
    done
  done
  fail "the game did not end after three presses of $key"
}
