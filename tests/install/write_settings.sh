#!/usr/bin/env bash
# The settings file the launcher and scripts/play.sh write when there is none:
# the desktop's current mode (primary output first), the root window's depth,
# a safe login name of at most 20 characters; 1024x768 at 60 Hz without a
# display; never a change to a file the player already has.
#   write_settings.sh SOURCE_DIR
set -u
WRITE=$1/scripts/write-settings.sh
WORK=$(mktemp -d /tmp/vorel-settings-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Stand-ins for xrandr, xdpyinfo and id, answering from files in $WORK.
mkdir -p "$WORK/bin"
for tool in xrandr xdpyinfo id; do
  printf '#!/bin/sh\ncat "%s/%s.out" 2>/dev/null\n' "$WORK" "$tool" >"$WORK/bin/$tool"
  chmod +x "$WORK/bin/$tool"
done
fake_path=$WORK/bin:/usr/bin:/bin

# Runs the writer for a fresh file with the given environment; prints the file.
settings_for() {
  rm -f "$WORK/vorel.ini"
  env "$@" sh "$WRITE" "$WORK/vorel.ini" 2>/dev/null || fail "the writer failed with $*"
  cat "$WORK/vorel.ini"
}

# 1. Two monitors: the primary one's mode and rounded rate count, not the
# first one listed; the name keeps only safe characters, 20 at most.
cat >"$WORK/xrandr.out" <<'OUT'
Screen 0: minimum 320 x 200, current 3840 x 1440, maximum 16384 x 16384
DP-1 connected 1280x1024+0+0 (normal left inverted right x axis y axis) 376mm x 301mm
   1280x1024     75.02*+  60.02
   1024x768      60.00
HDMI-1 connected primary 2560x1440+1280+0 (normal left inverted right x axis y axis) 597mm x 336mm
   2560x1440     59.95 +  143.98*
   1920x1080     60.00
VGA-1 disconnected (normal left inverted right x axis y axis)
OUT
printf '  depth of root window:    30 planes\n' >"$WORK/xdpyinfo.out"
printf 'Zoë Smith;rm -rf /tmp/a_very.long-name\n' >"$WORK/id.out"
got=$(settings_for PATH="$fake_path" DISPLAY=:42)
[ "$got" = $'res:2560x1440\nbpp:30\nhz:144\nname:ZoSmithrm-rftmpa_ver' ] || fail "two monitors gave:"$'\n'"$got"
# Without a primary output the first current mode counts; a rate of 0 (a
# virtual screen) becomes 60 Hz.
sed -i 's/ primary//; s/75.02\*+/0.00*/' "$WORK/xrandr.out"
printf '\n' >"$WORK/id.out"
got=$(settings_for PATH="$fake_path" DISPLAY=:42)
[ "$got" = $'res:1280x1024\nbpp:30\nhz:60\nname:Pilot' ] || fail "no primary output gave:"$'\n'"$got"
echo "faked display: primary mode, depth, rate rounded, safe name"

# 2. No display at all: the fallback mode, even with xrandr at hand.
got=$(settings_for -u DISPLAY PATH="$fake_path")
[ "$got" = $'res:1024x768\nbpp:32\nhz:60\nname:Pilot' ] || fail "no display gave:"$'\n'"$got"
echo "no display: 1024x768 at 60 Hz"

# 3. The real X server of the test run, when there is one: its own size.
if [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null; then
  size=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
  got=$(settings_for)
  [ "$(head -n 1 <<<"$got")" = "res:$size" ] || fail "the real display ($size) gave:"$'\n'"$got"
  grep -qx 'hz:[0-9]*' <<<"$got" || fail "no refresh rate from the real display:"$'\n'"$got"
  echo "real display: res:$size"
else
  echo "real display: skipped, no X display or no xdpyinfo"
fi

# 4. The player's file, and a link of the player's even when broken, stay.
printf 'res:800x600\nbpp:16\nhz:50\nname:Mine\n' >"$WORK/vorel.ini"
before=$(sha256sum <"$WORK/vorel.ini")
sh "$WRITE" "$WORK/vorel.ini" || fail "the writer failed on an existing file"
[ "$(sha256sum <"$WORK/vorel.ini")" = "$before" ] || fail "an existing settings file was changed"
rm "$WORK/vorel.ini"
ln -s "$WORK/elsewhere/vorel.ini" "$WORK/vorel.ini"
sh "$WRITE" "$WORK/vorel.ini" || fail "the writer failed on a broken link"
[ "$(readlink "$WORK/vorel.ini")" = "$WORK/elsewhere/vorel.ini" ] || fail "a broken link was replaced"
echo "existing file and link: untouched"

# 5. A folder that cannot be written is a failure, with the file's name said.
message=$(sh "$WRITE" "$WORK/missing/vorel.ini" 2>&1) && fail "writing into a missing folder succeeded"
grep -q "$WORK/missing/vorel.ini" <<<"$message" || fail "the failure did not name the file: $message"
[ -z "$(ls "$WORK" | grep partial)" ] || fail "a partial file was left behind"
echo "unwritable folder: reported"
