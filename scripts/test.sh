#!/usr/bin/env bash
# Builds everything and runs the whole test suite: unit, GL, sound and
# end-to-end tests. Without a display the suite runs inside Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DVOREL_WERROR=ON

cd build
if [ -n "${DISPLAY:-}" ]; then
  ctest --output-on-failure -j 2
else
  # An X server of its own, whose free display number Xvfb picks itself.
  bash ../tests/support/own_display.sh ctest --output-on-failure -j 2
fi
