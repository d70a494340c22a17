#!/usr/bin/env bash
# Runs a command on an X server of its own: Xvfb picks a free display number
# itself (-displayfd), so tests started side by side never race for one, as
# xvfb-run -a can. -noreset: a bare server resets when its last client
# leaves and refuses connections meanwhile, so a game started just after
# another one ended could find no display. The screen is 1024x768 unless
# --screen gives another size (WIDTHxHEIGHTxDEPTH).
#   own_display.sh [--screen SIZE] COMMAND [ARGUMENTS...]
set -u
screen=1024x768x24
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
fifo_dir=$(mktemp -d)
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo_dir/display" 2>"$fifo_dir/xvfb.log" &
server=$!
number=
read -r -t 30 number <"$fifo_dir/display"
if [ -z "$number" ]; then
  echo "own_display: Xvfb did not start" >&2
  cat "$fifo_dir/xvfb.log" >&2
  kill "$server" 2>/dev/null
  exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit "$status"
