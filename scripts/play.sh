#!/usr/bin/env bash
# Builds everything and starts the game in run/, where the generated data,
# the settings file and the high-score list live.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

mkdir -p run
if [ ! -f run/vorel.ini ]; then
  # Labels of fixed width (4, 4, 3, 5 characters) before each value.
  name=$(id -un 2>/dev/null | tr -cd '[:alnum:]_.-' | cut -c 1-20)
  printf 'res:1024x768\nbpp:32\nhz:60\nname:%s\n' "${name:-Pilot}" > run/vorel.ini
fi
cd run
exec ../build/vorel "$@"
