# Shared steps of the end-to-end tests: a scratch working directory with the
# generated game data, the real binary started in it, and X input via xdotool.
# Usage in a test: source this file with the binary, the run directory, the
# screen probe (tests/e2e/screen_probe.cpp) and the swap probe
# (bench/first_swap_probe.c) as $1 $2 $3 $4.

set -u
VOREL_BIN=$1
VOREL_DATA=$2
SCREEN_PROBE=${3:-}
SWAP_PROBE=${4:-}
E2E_DIR=$(mktemp -d /tmp/vorel-e2e-XXXXXX)
GAME_PID=
GAME_OUT=$E2E_DIR/stdout.txt

fail() {
  echo "FAIL: $*" >&2
  [ -f "$GAME_OUT" ] && { echo "--- game output:" >&2; cat "$GAME_OUT" >&2; }
  [ -s "$E2E_DIR/stderr.txt" ] && { echo "--- game errors:" >&2; cat "$E2E_DIR/stderr.txt" >&2; }
  if [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
    wait "$GAME_PID" 2>/dev/null
    echo "--- game exit status: $?" >&2
  fi
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

# Copies the generated data (not the player's own files) into a fresh scratch
# directory, $E2E_DIR/game; any earlier run's files there are removed.
copy_game_data() {
  rm -rf "$E2E_DIR/game"
  mkdir -p "$E2E_DIR/game"
  if [ -d "$VOREL_DATA" ]; then
    cp -a "$VOREL_DATA/." "$E2E_DIR/game/"
    rm -f "$E2E_DIR/game/vorel.ini" "$E2E_DIR/game/bestenliste.txt"
  fi
}

# The sound driver the game is started with: "dummy" (silent) unless a test
# sets GAME_AUDIO_DRIVER; set to the empty string, the variable is unset and
# SDL picks whatever the machine has.
GAME_AUDIO_DRIVER=${GAME_AUDIO_DRIVER-dummy}
# More NAME=VALUE settings for the game's environment alone.
GAME_ENV=()

# Starts the game in the prepared scratch directory, without touching its files.
launch_game() {
  local environment=(env -u SDL_AUDIODRIVER "${GAME_ENV[@]}")
  [ -n "$GAME_AUDIO_DRIVER" ] && environment+=("SDL_AUDIODRIVER=$GAME_AUDIO_DRIVER")
  (cd "$E2E_DIR/game" && exec "${environment[@]}" "$VOREL_BIN" >"$GAME_OUT" 2>"$E2E_DIR/stderr.txt") &
  GAME_PID=$!
}

start_game() {
  copy_game_data
  launch_game
}

# Ends a game still running (after its checks are done).
stop_game() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -9 "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  GAME_PID=
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

# Runs the prepared game until it draws frames, then leaves with Escape and
# expects status 0.
run_and_leave() {
  launch_game
  wait_for_window
  wait_for_frames
  press_until_exit Escape
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS, expected 0"
}

# Milliseconds of wall-clock time, for measuring how long the overlay shows
# something.
now_ms() {
  date +%s%3N
}

# --- Reading the screen -----------------------------------------------------
# The overlay places text by window fractions, (0, 0) at the bottom left; the
# game's window covers the whole screen.
SCREEN_W=
SCREEN_H=
read_screen_size() {
  [ -x "$SCREEN_PROBE" ] || fail "no screen probe at '$SCREEN_PROBE'"
  read -r SCREEN_W SCREEN_H < <("$SCREEN_PROBE" size) || fail "cannot read the screen size"
}

# Probes the rectangles around lines of 18-point overlay text, all from one
# drawn frame. Each line is given as three words: the fractions X and Y where
# its baseline starts and its width in pixels. Sets, per line in order, the
# arrays PROBE_REDS, PROBE_GREENS, PROBE_YELLOWS, PROBE_BRIGHTS (pixel counts),
# PROBE_MASKS (checksum of where the coloured pixels are: the text, not the
# scene behind) and PROBE_SUMS (checksum of every pixel).
PROBE_REDS=() PROBE_GREENS=() PROBE_YELLOWS=() PROBE_BRIGHTS=() PROBE_MASKS=() PROBE_SUMS=()
probe_text_lines() {
  [ -n "$SCREEN_W" ] || read_screen_size
  local rects=()
  while [ $# -ge 3 ]; do
    rects+=($(awk -v fx="$1" -v fy="$2" -v w="$SCREEN_W" -v h="$SCREEN_H" 'BEGIN {
      x = int(fx * w) - 4; y = int((1 - fy) * h) - 17
      print (x < 0 ? 0 : x), (y < 0 ? 0 : y) }') "$3" 23)
    shift 3
  done
  local output
  output=$("$SCREEN_PROBE" "${rects[@]}") || fail "the screen probe failed on ${rects[*]}"
  PROBE_REDS=($(sed -n 's/.*red=\([0-9]*\).*/\1/p' <<<"$output"))
  PROBE_GREENS=($(sed -n 's/.*green=\([0-9]*\).*/\1/p' <<<"$output"))
  PROBE_YELLOWS=($(sed -n 's/.*yellow=\([0-9]*\).*/\1/p' <<<"$output"))
  PROBE_MASKS=($(sed -n 's/.*mask=\([0-9a-f]*\).*/\1/p' <<<"$output"))
  PROBE_BRIGHTS=($(sed -n 's/.*bright=\([0-9]*\).*/\1/p' <<<"$output"))
  PROBE_SUMS=($(sed -n 's/.*sum=\([0-9a-f]*\).*/\1/p' <<<"$output"))
}

# One line: as above, into PROBE_RED, PROBE_GREEN, PROBE_YELLOW, PROBE_BRIGHT,
# PROBE_MASK and PROBE_SUM.
PROBE_RED=0 PROBE_GREEN=0 PROBE_YELLOW=0 PROBE_BRIGHT=0 PROBE_MASK= PROBE_SUM=
probe_text_line() {
  probe_text_lines "$1" "$2" "$3"
  PROBE_RED=${PROBE_REDS[0]} PROBE_GREEN=${PROBE_GREENS[0]} PROBE_YELLOW=${PROBE_YELLOWS[0]}
  PROBE_BRIGHT=${PROBE_BRIGHTS[0]} PROBE_MASK=${PROBE_MASKS[0]} PROBE_SUM=${PROBE_SUMS[0]}
}

# Polls CONDITION (a command) every 50 ms for at most SECONDS seconds; returns
# 1 if it never held. Fails the test if the game ends meanwhile.
poll_until() {
  local seconds=$1
  shift
  local deadline=$(($(now_ms) + seconds * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null && fail "the game ended while waiting for: $*"
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# The pause menu's title, white "PAUSE" centred above its list, a sixth of
# the screen and one row (26 pixels at text factor 1) below its top.
probe_menu_title() {
  [ -n "$SCREEN_H" ] || read_screen_size
  probe_text_line 0.46 "$(awk -v h="$SCREEN_H" 'BEGIN { print 1 - (int(h / 6) + 26) / h }')" 80
}

# The rocket status line, the overlay's bottom line: green "ROCKET READY" or
# red "PREPARING ROCKET".
probe_rocket_line() {
  probe_text_line 0.42 0.04 210
}
rocket_ready_shown() {
  probe_rocket_line
  [ "$PROBE_GREEN" -ge 200 ] && [ "$PROBE_RED" -lt 20 ]
}
rocket_preparing_shown() {
  probe_rocket_line
  [ "$PROBE_RED" -ge 200 ] && [ "$PROBE_GREEN" -lt 20 ]
}

# The speed readout. With no key held it settles: two samples in a row show
# the same digits (a star or spark passing behind the panel may disturb one
# sample).
probe_speed() { probe_text_line 0.48 0.12 90; }
last_speed_mask=
speed_settled() {
  probe_speed
  [ "$PROBE_MASK" = "$last_speed_mask" ] && return 0
  last_speed_mask=$PROBE_MASK
  sleep 0.2
  return 1
}

# Waits for the readout to settle, then holds KEY (an xdotool key name) until
# the speed changes, and releases it; with a second word "held", keeps it down.
hold_until_speed_changes() {
  local key=$1 keep=${2:-} speed_at_rest
  poll_until 5 speed_settled || fail "the speed readout keeps changing with no key held"
  [ "$PROBE_YELLOW" -ge 50 ] || fail "no yellow speed digits at the readout's place ($PROBE_YELLOW pixels)"
  speed_at_rest=$PROBE_MASK
  speed_changed() { probe_speed; [ "$PROBE_MASK" != "$speed_at_rest" ] && [ "$PROBE_YELLOW" -ge 50 ]; }
  xdotool keydown "$key"
  poll_until 10 speed_changed || { xdotool keyup "$key"; fail "holding $key did not change the speed readout"; }
  [ "$keep" = held ] && return 0
  sleep 0.3
  xdotool keyup "$key"
}

# Waits until the game draws its overlay: proof that frames are running.
wait_for_frames() {
  poll_until 20 rocket_ready_shown || fail "the overlay never showed ROCKET READY"
}
