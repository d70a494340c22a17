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
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j 2
fi
