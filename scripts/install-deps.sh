#!/usr/bin/env bash
# Installs whatever the build, the game and the tests need and is missing,
# from Debian's or Ubuntu's own packages.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev mesa-utils
  libsdl2-mixer-dev libmpg123-dev libmp3lame-dev libpng-dev zlib1g-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils libx11-dev libxrandr-dev
  weston xwayland
  clang libclang-rt-dev
  imagemagick x11-xserver-utils
  dpkg-dev file lintian desktop-file-utils appstream
  python3
)

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "vorel: this script installs its dependencies with apt-get (Debian, Ubuntu)." >&2
  echo "On other systems install the equivalents of: ${PACKAGES[*]}" >&2
  exit 1
fi

installed() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

missing=()
for package in "${PACKAGES[@]}"; do
  installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# clang's sanitizer and fuzzer runtimes are versioned: take the one matching the
# installed clang, if the generic name is not known here.
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "vorel: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

echo "vorel: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
resolved=()
for package in "${missing[@]}"; do
  if apt-cache show "$package" >/dev/null 2>&1; then
    resolved+=("$package")
  elif [ "$package" = libclang-rt-dev ]; then
    version=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
    [ -n "$version" ] && resolved+=("libclang-rt-$version-dev")
  else
    echo "vorel: package $package is not available here" >&2
    exit 1
  fi
done
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${resolved[@]}"
