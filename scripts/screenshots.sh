#!/usr/bin/env bash
# Plays a short scripted run of the game under X and saves screenshots of it
# as PNG files: the start view, thrust among the asteroids, a rocket with its
# trail, the pause menu, its options screen and a key capture, an explosion, a lap raced against the ghost, the
# options panel, the high-score table, wireframe and the octree boxes; then
# the overlay on a 2560x1440 screen, where its text is grown twice; the
# cockpit across 1280x800, 1920x1080 and 2560x1080 screens, and the safe palette.
#
#   bash scripts/screenshots.sh [output-dir] [build-dir] [run-dir]
#
# Defaults: docs/, build/, run/ (the generated game data). Without a display
# the script starts itself again inside Xvfb. Needs xdotool and ImageMagick.
# With --hud first it takes only the overlay's shot, on the display it has;
# with --wide NAME only the start view as NAME.png (display.palette = safe
# when NAME begins with palette-safe).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
HUD_ONLY=
WIDE_NAME=
if [ "${1:-}" = --hud ]; then
  HUD_ONLY=1
  shift
elif [ "${1:-}" = --wide ]; then
  WIDE_NAME=$2
  shift 2
fi
OUT=$(realpath -m "${1:-docs}")
BUILD=$(realpath -m "${2:-build}")
DATA=$(realpath -m "${3:-run}")
GAME=$BUILD/vorel

if [ -z "${DISPLAY:-}" ] && [ -n "$HUD_ONLY" ]; then
  exec xvfb-run -a -s "-screen 0 2560x1440x24" bash "$ROOT/scripts/screenshots.sh" --hud "$OUT" "$BUILD" "$DATA"
elif [ -z "${DISPLAY:-}" ] && [ -n "$WIDE_NAME" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$ROOT/scripts/screenshots.sh" --wide "$WIDE_NAME" "$OUT" "$BUILD" "$DATA"
elif [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$ROOT/scripts/screenshots.sh" "$OUT" "$BUILD" "$DATA"
fi

# Call ImageMagick by full path: another program may answer to "convert".
IMPORT=/usr/bin/import
CONVERT=/usr/bin/convert
for tool in "$IMPORT" "$CONVERT" "$(command -v xdotool || true)"; do
  [ -n "$tool" ] && [ -x "$tool" ] || { echo "screenshots: needs xdotool and imagemagick (apt-get install xdotool imagemagick)" >&2; exit 1; }
done
[ -x "$GAME" ] || { echo "screenshots: no game at $GAME; build it first (scripts/build.sh)" >&2; exit 1; }
[ -d "$DATA" ] || { echo "screenshots: no game data in $DATA; build it first" >&2; exit 1; }

WORK=$(mktemp -d /tmp/vorel-shots-XXXXXX)
GAME_PID=
cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# The game's data, with settings and a high-score list of our own.
mkdir -p "$WORK/game" "$WORK/frames" "$OUT"
cp -a "$DATA/." "$WORK/game/"
printf 'res:1024x768\nbpp:24\nhz:60\nname:Pilot\n' > "$WORK/game/vorel.ini"
printf '%s\n' "Ace 58.125000" "Nova 61.480000" "Kestrel 64.905000" "Pilot 70.250000" "Drift 77.000000" \
  > "$WORK/game/bestenliste.txt"

start_game() {
  (cd "$WORK/game" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec "$GAME" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
  GAME_PID=$!

  WINDOW=
  for _ in $(seq 1 300); do
    kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/stdout.txt" "$WORK/stderr.txt" >&2; echo "screenshots: the game ended early" >&2; exit 1; }
    WINDOW=$(xdotool search --onlyvisible --name '^vorel$' 2>/dev/null | head -n 1 || true)
    [ -n "$WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$WINDOW" ] || { echo "screenshots: no game window within 30 s" >&2; exit 1; }
  # Keyboard focus follows the pointer on a bare X server: keys and clicks go to
  # the window under it, as real input (events sent to a window are ignored).
  xdotool mousemove --window "$WINDOW" 512 384
  sleep 2
}

quit_game() {
  xdotool key Escape
  for _ in $(seq 1 100); do
    kill -0 "$GAME_PID" 2>/dev/null || { GAME_PID=; break; }
    sleep 0.1
  done
  [ -z "$GAME_PID" ] || { echo "screenshots: the game did not end on Escape" >&2; exit 1; }
}

shot() {
  "$IMPORT" -window root "$OUT/$1.png"
  echo "screenshots: $OUT/$1.png"
}
key() {
  xdotool key "$@"
}
# Mouse-look: small relative moves turn the view.
look() {
  local dx=$1 dy=$2 steps=$3
  for _ in $(seq 1 "$steps"); do
    xdotool mousemove_relative -- "$dx" "$dy"
    sleep 0.03
  done
}

if [ -n "$WIDE_NAME" ]; then
  case "$WIDE_NAME" in
    palette-safe*) printf 'display.palette = safe\n' > "$WORK/game/options.ini" ;;
  esac
  start_game
  shot "$WIDE_NAME"
  quit_game
  exit 0
fi

if [ -n "$HUD_ONLY" ]; then
  start_game
  key h g F9 F9  # the table, the ghost's label and the options panel
  sleep 0.5
  shot hud-2560x1440
  quit_game
  exit 0
fi

start_game
shot start

key F9 F9  # toggles transparency twice: the options panel shows, nothing changes
sleep 0.3
shot options

key h
sleep 0.3
shot highscores
key h

xdotool keydown w
look 3 1 40
sleep 2.5
shot thrust
xdotool keyup w

xdotool click 1
sleep 0.5
shot rocket

key p  # the rocket and its trail stand still under the pause menu
sleep 0.5
shot menu
key Down Down Return  # the options screen
sleep 0.5
shot menu-options
key Return  # thrust waits for its new key
sleep 0.5
shot menu-capture
key Escape Escape p  # the capture cancelled, back to the list (nothing changed: nothing saved), flying on

# Brake to a stop, or the craft drifts to the arena wall, and turn right
# toward the middle of the field (about 95 degrees: each pixel of mouse
# motion turns the view by 0.00125 radians).
xdotool keydown s
sleep 3
xdotool keyup s
look 10 0 125

key F3
sleep 0.5
shot wireframe
key F3

key F8 o  # octree culling on, so the boxes follow the field, and the boxes shown
sleep 1.8  # past the options panel
shot octree
key o F8

quit_game

# A rocket hitting an asteroid: where a played run hits depends on how the
# field drifted, so this one is the real frame rendered from a fixed seed.
"$BUILD/tools/vorel_explosion_shot" "$WORK/game" "$OUT/rocket-hit.png" >/dev/null 2>"$WORK/shot.txt" \
  || { cat "$WORK/shot.txt" >&2; exit 1; }
echo "screenshots: $OUT/rocket-hit.png"

# A lap raced against the ghost of the lap before, with the split of the last
# gate showing: the real frame from a fixed seed, flown straight at the gates.
"$BUILD/tools/vorel_ghost_shot" "$WORK/game" "$OUT/ghost.png" >/dev/null 2>"$WORK/ghost-shot.txt" \
  || { cat "$WORK/ghost-shot.txt" >&2; exit 1; }
echo "screenshots: $OUT/ghost.png"

# The overlay on a 2560x1440 screen, on an X server of that size.
xvfb-run -a -s "-screen 0 2560x1440x24" bash "$ROOT/scripts/screenshots.sh" --hud "$OUT" "$BUILD" "$DATA"

# The cockpit across wider screens, each on an X server of its size, and the
# safe palette's gates and blip.
for size in 1280x800 1920x1080 2560x1080; do
  xvfb-run -a -s "-screen 0 ${size}x24" bash "$ROOT/scripts/screenshots.sh" --wide "cockpit-$size" "$OUT" "$BUILD" "$DATA"
done
xvfb-run -a -s "-screen 0 2560x1080x24" bash "$ROOT/scripts/screenshots.sh" --wide palette-safe-2560x1080 "$OUT" "$BUILD" "$DATA"
