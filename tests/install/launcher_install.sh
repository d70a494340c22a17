#!/usr/bin/env bash
# The game installed into a scratch prefix (DESTDIR) and started through its
# launcher with an empty home: the game folder appears with a link for every
# installed data file and a settings file for the display, the window maps and
# Escape ends with status 0. A second start refreshes the links (as after an
# upgrade) and leaves the player's files byte-identical.
#   launcher_install.sh BUILD_DIR DATAGEN SCREEN_PROBE
BUILD=$1
DATAGEN=$2
source "$(dirname "$0")/../e2e/lib/common.bash" "" "" "$3"

STAGE=$E2E_DIR/stage
PREFIX=$STAGE/usr
DESTDIR=$STAGE cmake --install "$BUILD" --prefix /usr >"$E2E_DIR/install.txt" 2>&1 ||
  fail "cmake --install failed: $(cat "$E2E_DIR/install.txt")"

# The layout: only the launcher on PATH (games/ below /usr, bin/ below a home
# prefix), the game and its helper off it.
for file in games/vorel libexec/vorel/vorel libexec/vorel/write-settings.sh; do
  [ -f "$PREFIX/$file" ] && [ -x "$PREFIX/$file" ] || fail "no executable $file"
done
[ "$(ls "$PREFIX/games")" = vorel ] || fail "games holds more than the launcher: $(ls "$PREFIX/games")"
[ -e "$PREFIX/bin" ] && fail "an install below /usr made bin/"
cmake --install "$BUILD" --prefix "$E2E_DIR/local" >/dev/null 2>&1 || fail "cmake --install into a home prefix failed"
[ -x "$E2E_DIR/local/bin/vorel" ] && [ ! -e "$E2E_DIR/local/games" ] || fail "no launcher in bin/ below a home prefix"
for file in share/applications/vorel.desktop share/metainfo/vorel.metainfo.xml \
  share/icons/hicolor/{48x48,128x128,256x256}/apps/vorel.png share/man/man6/vorel.6.gz \
  share/doc/vorel/{LICENSE,README.md,copyright,changelog.gz,options.ini.example}; do
  [ -s "$PREFIX/$file" ] || fail "no $file"
done
# Exactly the generated data: none of the player's files from the run directory.
installed=$(cd "$PREFIX/share/vorel" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$("$DATAGEN" --list | sort)" ] ||
  fail "share/vorel differs from the generator's list:"$'\n'"$(diff <(echo "$installed") <("$DATAGEN" --list | sort))"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$PREFIX/share/applications/vorel.desktop" || fail "the desktop entry is not valid"
fi
if command -v appstreamcli >/dev/null; then
  # Warnings pass (the id is not a reverse domain name); errors do not.
  appstreamcli validate --no-net "$PREFIX/share/metainfo/vorel.metainfo.xml" >"$E2E_DIR/appstream.txt" 2>&1
  if grep -q '^E:' "$E2E_DIR/appstream.txt"; then
    fail "the metainfo is not valid: $(cat "$E2E_DIR/appstream.txt")"
  fi
fi
echo "install: launcher, game, data, desktop entry, metainfo, icons, manual, docs"

export HOME=$E2E_DIR/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$E2E_DIR/game"
FOLDER=$HOME/.local/share/vorel
VOREL_BIN=$PREFIX/games/vorel
data=$(realpath "$PREFIX/share/vorel")

# Played and left, the game must have found every installed data file.
play_installed() {
  run_and_leave
  grep -v 'bestenliste.txt' "$GAME_OUT" | grep 'Error opening file' && fail "the game missed a data file"
  return 0
}

# Every installed file and folder has its link in the game folder.
check_links() {
  local entry
  for entry in "$data"/*; do
    [ "$(readlink "$FOLDER/${entry##*/}")" = "$entry" ] || fail "no link to $entry in the game folder"
  done
}

# 1. First start: the folder, its links and a settings file for this display.
play_installed
check_links
size=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
grep -qx "res:$size" "$FOLDER/vorel.ini" || fail "vorel.ini is not for the display's $size: $(cat "$FOLDER/vorel.ini")"
[ "$(sed 's/:.*//' "$FOLDER/vorel.ini" | tr '\n' ' ')" = "res bpp hz name " ] ||
  fail "vorel.ini lacks its four labelled lines: $(cat "$FOLDER/vorel.ini")"
[ "$(head -n 1 "$GAME_OUT")" = "$size:$(sed -n 's/^bpp://p' "$FOLDER/vorel.ini")@$(sed -n 's/^hz://p' "$FOLDER/vorel.ini")" ] ||
  fail "the game did not start with the written settings"
echo "first start: game folder with links and vorel.ini ($size), Escape gives 0"

# 2. The player's files, and an upgrade's changes: a link gone missing and a
# link to a file the new package no longer has. Started through a link of
# the player's to the launcher, which must still find the installation.
printf 'Ace 61.250000\nKim 70.500000\n' >"$FOLDER/bestenliste.txt"
rm "$FOLDER/sound"
ln -s "$data/dropped.tga" "$FOLDER/dropped.tga"
printf 'mine\n' >"$FOLDER/notes.txt"
sums=$(cd "$FOLDER" && sha256sum vorel.ini bestenliste.txt notes.txt)
mkdir -p "$HOME/bin"
ln -s "$PREFIX/games/vorel" "$HOME/bin/vorel"
VOREL_BIN=$HOME/bin/vorel
play_installed
check_links
[ -e "$FOLDER/dropped.tga" ] || [ -L "$FOLDER/dropped.tga" ] && fail "the link to a dropped file stayed"
[ "$(cd "$FOLDER" && sha256sum vorel.ini bestenliste.txt notes.txt)" = "$sums" ] ||
  fail "a second start changed the player's files"
echo "second start: links refreshed, player's files byte-identical"
