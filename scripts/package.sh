#!/usr/bin/env bash
# Builds the Debian package from a clean tree: a fresh build directory
# (build-package/, emptied first) with Debian's hardening flags, the game's
# data generated inside it, then the .deb in dist/, checked by lintian.
#
#   bash scripts/package.sh        then: sudo apt install ./dist/vorel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=$PWD/build-package
rm -rf "$BUILD" dist
# Stack protector, fortified calls, read-only relocations, immediate binding.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# CMake reads no CPPFLAGS: the fortify define goes in with the compiler flags.
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DVOREL_RUN_DIR="$BUILD/data" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
(cd "$BUILD" && cpack -G DEB -B "$BUILD/cpack")
mkdir -p dist
cp "$BUILD"/cpack/vorel_*.deb dist/
deb=$(ls dist/vorel_*.deb)
lintian "$deb" || { echo "package: lintian found errors in $deb" >&2; exit 1; }
echo "package: $deb"
