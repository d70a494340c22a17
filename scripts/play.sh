#!/usr/bin/env bash
# Builds everything and starts the game in run/, where the generated data,
# the settings file and the high-score list live.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

mkdir -p run
# A settings file for the desktop's current mode, only when there is none.
sh scripts/write-settings.sh run/vorel.ini
cd run
exec ../build/vorel "$@"
