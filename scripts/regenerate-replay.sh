#!/usr/bin/env bash
# Rewrites the golden replay's expected digest (tests/replay/expected_digest.txt)
# from the committed input script. Run it when a change is meant to alter the
# simulation, and commit the new digest with that change.
#
#   scripts/regenerate-replay.sh            replay the committed script
#   scripts/regenerate-replay.sh --record   let the pilot fly a new script first
#                                           (when the old one no longer shows
#                                           hits, craft contacts and laps)
set -euo pipefail
cd "$(dirname "$0")/.."

FRAMES=20000
SEED=20240611
FRAME_MS=(15 17 16.5)
SCRIPT=tests/replay/input_script.txt
EXPECTED=tests/replay/expected_digest.txt

cmake -S . -B build >/dev/null
cmake --build build -j2 --target vorel_replay >/dev/null
tool=build/tests/replay/vorel_replay

if [ "${1:-}" = "--record" ]; then
  "$tool" record "$SCRIPT" "$FRAMES" "$SEED" "${FRAME_MS[@]}"
elif [ -n "${1:-}" ]; then
  echo "usage: $0 [--record]" >&2
  exit 2
fi
"$tool" play "$SCRIPT" "$EXPECTED"
head -n 3 "$EXPECTED"
git --no-pager diff --stat -- "$SCRIPT" "$EXPECTED" || true
