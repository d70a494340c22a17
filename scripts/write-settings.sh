#!/bin/sh
# write-settings.sh FILE: writes the settings file FILE for the display mode
# the desktop has now and the login name, so that game mode keeps the
# monitor's own mode. 1024x768 at 60 Hz when the display cannot be asked.
# An existing FILE (or a link there, even a broken one) is the player's and
# is never touched. Used by scripts/play.sh and by the installed launcher.
set -eu

[ $# -eq 1 ] || { echo "usage: write-settings.sh FILE" >&2; exit 2; }
file=$1
if [ -e "$file" ] || [ -L "$file" ]; then
  exit 0
fi

width=1024
height=768
depth=32
rate=60

# "WIDTH HEIGHT RATE" of the current mode: the primary output's, else the
# first output's that has one. xrandr marks the current rate with "*".
current_mode() {
  xrandr --current 2>/dev/null | awk '
    / connected/ { primary = ($3 == "primary") }
    /^ +[0-9]+x[0-9]+/ {
      for (i = 2; i <= NF; i++) {
        if ($i !~ /\*/) continue
        rate = $i
        sub(/[*+ ]+$/, "", rate)
        size = $1
        sub(/[^0-9x].*$/, "", size)
        split(size, wh, "x")
        mode = wh[1] " " wh[2] " " int(rate + 0.5)
        if (primary && pick == "") pick = mode
        if (first == "") first = mode
      }
    }
    END { if (pick != "") print pick; else if (first != "") print first }'
}

is_number() {
  case $1 in
    '' | *[!0-9]*) return 1 ;;
    *) [ "$1" -gt 0 ] ;;
  esac
}

if [ -n "${DISPLAY:-}" ]; then
  if command -v xrandr >/dev/null 2>&1; then
    set -- $(current_mode) ''
    if is_number "$1" && is_number "${2:-}"; then
      width=$1
      height=$2
      # A virtual screen reports a rate of 0.
      if is_number "${3:-}"; then rate=$3; fi
    fi
  fi
  if command -v xdpyinfo >/dev/null 2>&1; then
    info=$(xdpyinfo 2>/dev/null || true)
    planes=$(printf '%s\n' "$info" | sed -n 's/^ *depth of root window: *\([0-9]*\) planes.*/\1/p' | head -n 1)
    if is_number "$planes"; then depth=$planes; fi
    if [ "$width" = 1024 ] && [ "$height" = 768 ] && ! command -v xrandr >/dev/null 2>&1; then
      size=$(printf '%s\n' "$info" | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p' | head -n 1)
      set -- $size ''
      if is_number "$1" && is_number "${2:-}"; then width=$1; height=$2; fi
    fi
  fi
fi

# The name: safe characters only, at most 20 of them.
name=$(id -un 2>/dev/null | LC_ALL=C tr -cd '[:alnum:]_.-' | cut -c 1-20)

# Written whole under a temporary name, then linked into place, which fails
# instead of replacing a file that appeared meanwhile (renamed where the file
# system has no hard links).
partial="$file.partial.$$"
trap 'rm -f "$partial"' EXIT
trap 'exit 1' HUP INT TERM
if ! printf 'res:%sx%s\nbpp:%s\nhz:%s\nname:%s\n' "$width" "$height" "$depth" "$rate" "${name:-Pilot}" >"$partial" 2>/dev/null; then
  echo "vorel: cannot write $file" >&2
  exit 1
fi
if ! ln "$partial" "$file" 2>/dev/null && ! [ -e "$file" ] && ! mv -f "$partial" "$file" 2>/dev/null; then
  echo "vorel: cannot write $file" >&2
  exit 1
fi
echo "vorel: wrote $file for ${width}x${height} at $rate Hz" >&2
