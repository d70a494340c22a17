#!/usr/bin/env bash
# Fails when the core test binary needs a GL, GLUT, GLX or SDL library.
set -eu
binary=$1
libs=$(ldd "$binary")
if echo "$libs" | grep -Ei 'lib(GL|GLU|GLX|glut|SDL2|SDL2_mixer|OpenGL)[.-]'; then
  echo "core links a platform library" >&2
  exit 1
fi
echo "core links: $(echo "$libs" | awk '{print $1}' | tr '\n' ' ')"
