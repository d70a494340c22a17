#!/usr/bin/env bash
# The Debian package made from the build tree: its files, its control fields
# (section, dependencies computed from the binary: GL through libopengl0 or
# libgl1, GLU, GLUT, SDL2_mixer) and lintian's verdict.
#   package_deb.sh BUILD_DIR
BUILD=$1
WORK=$(mktemp -d /tmp/vorel-deb-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
(cd "$BUILD" && cpack -G DEB -B "$WORK/out") >"$WORK/cpack.txt" 2>&1 || fail "cpack failed: $(cat "$WORK/cpack.txt")"
deb=$(ls "$WORK"/out/vorel_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no vorel_*.deb: $(cat "$WORK/cpack.txt")"

contents=$(dpkg-deb --contents "$deb" | awk '{print $1, $NF}')
for path in ./usr/games/vorel ./usr/libexec/vorel/vorel ./usr/libexec/vorel/write-settings.sh \
  ./usr/share/vorel/tor.txt ./usr/share/vorel/explosion/spr024.tga ./usr/share/vorel/sound/bk01.mp3 \
  ./usr/share/applications/vorel.desktop ./usr/share/metainfo/vorel.metainfo.xml \
  ./usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/vorel.png ./usr/share/man/man6/vorel.6.gz \
  ./usr/share/doc/vorel/copyright ./usr/share/doc/vorel/changelog.gz ./usr/share/doc/vorel/options.ini.example; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
# Everything root's, the launcher and game executable, the data read only.
grep -v '^[^ ]* root/root ' <(dpkg-deb --contents "$deb" | awk '{print $1, $2, $NF}') && fail "files not owned by root"
grep -q '^-rwxr-xr-x \./usr/games/vorel$' <<<"$contents" || fail "the launcher is not executable"
grep '\./usr/share/vorel/.' <<<"$contents" | grep -v '^-rw-r--r-- \|^drwxr-xr-x ' && fail "data files are writable or executable"
grep -E 'vorel\.ini|bestenliste\.txt' <<<"$contents" && fail "the package holds a player's file"

info=$(dpkg-deb --info "$deb")
grep -q '^ Package: vorel$' <<<"$info" || fail "package name: $info"
grep -q '^ Section: games$' <<<"$info" || fail "section: $info"
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for library in 'libopengl0|libgl1' libglu1 'libglut3|freeglut3' libsdl2-mixer libc6; do
  grep -Eq "(^|, )($library)" <<<"$depends" || fail "Depends does not name $library: $depends"
done
echo "package: $(basename "$deb"), Depends: $depends"

if ! command -v lintian >/dev/null; then
  echo "lintian: skipped, not installed (scripts/install-deps.sh installs it)"
  exit 0
fi
lintian --tag-display-limit 0 "$deb" >"$WORK/lintian.txt" 2>&1
cat "$WORK/lintian.txt"
grep -q '^E: ' "$WORK/lintian.txt" && fail "lintian reports errors"
echo "lintian: no errors"
