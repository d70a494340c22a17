#!/usr/bin/env bash
# Holds the layers to their one way:
#  - the core test binary needs no GL, GLUT, GLX or SDL library;
#  - no core source (any source of app/ and its rooms, geometry/, render/, sim/ or sound/
#    whose name does not end in _gl or _sdl) includes a platform header
#    (GL, GLU, GLUT, GLX, X11, SDL) or a header of the platform side;
#  - geometry/ and sim/ include nothing from app/, render/ or sound/, and
#    render/ nothing from app/.
# Usage: check_core_links.sh CORE_TEST_BINARY SOURCE_DIR
set -eu
binary=$1
source_dir=$2
status=0

libs=$(ldd "$binary")
if echo "$libs" | grep -Ei 'lib(GL|GLU|GLX|glut|SDL2|SDL2_mixer|OpenGL)[.-]'; then
  echo "core links a platform library" >&2
  status=1
fi

cd "$source_dir"
platform_header='#[[:space:]]*include[[:space:]]*[<"](GL/|GLES|X11/|SDL|glut|freeglut)|#[[:space:]]*include[[:space:]]*"[^"]*_(gl|sdl)\.h"'
for file in app/*.cpp app/*/*.cpp app/*/*.h geometry/*.cpp geometry/*.h render/*.cpp render/*.h \
            sim/*.cpp sim/*.h sound/*.cpp sound/*.h; do
  case "$file" in
    *_gl.cpp | *_gl.h | *_sdl.cpp | *_sdl.h | app/main.cpp) continue ;;
  esac
  if grep -EHn "$platform_header" "$file"; then
    echo "$file: a core source includes a platform header" >&2
    status=1
  fi
done

upward() {
  folder=$1
  shift
  for file in "$folder"/*.cpp "$folder"/*.h; do
    for higher in "$@"; do
      if grep -EHn "#[[:space:]]*include[[:space:]]*\"$higher/" "$file"; then
        echo "$file: $folder/ includes from $higher/" >&2
        status=1
      fi
    done
  done
}
upward geometry app render sound replay
upward sim app render sound replay
upward render app replay
upward sound app render replay

[ "$status" -eq 0 ] && echo "core links: $(echo "$libs" | awk '{print $1}' | tr '\n' ' ')"
exit "$status"
