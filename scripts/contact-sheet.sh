#!/usr/bin/env bash
# Renders every texture and the three models, lit as in the game, into PNG
# contact sheets in docs/ for review. Runs inside Xvfb when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j2 --target vorel_datagen vorel_contact_sheet >/dev/null
data=$(mktemp -d /tmp/vorel-sheet-XXXXXX)
trap 'rm -rf "$data"' EXIT
build/tools/vorel_datagen "$data"
mkdir -p docs
if [ -n "${DISPLAY:-}" ]; then
  build/tools/vorel_contact_sheet "$data" "$PWD/docs"
else
  xvfb-run -a -s "-screen 0 1024x768x24" build/tools/vorel_contact_sheet "$data" "$PWD/docs"
fi
ls -l docs/*.png
