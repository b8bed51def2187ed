#!/usr/bin/env bash
# The Debian package, without touching the system: built by cpack into a temporary folder,
# its control data and contents read with dpkg-deb, lintian without errors, and the game
# unpacked with dpkg-deb -x and started from / under Xvfb.
set -u
BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
WORK=$(mktemp -d)

keeping_manifest "$BUILD" cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$WORK/cpack.log")"
DEB=$(ls "$WORK"/wibz3d_*.deb) || fail "no package: $(cat "$WORK/cpack.log")"

dpkg-deb -I "$DEB" >"$WORK/info" || fail "dpkg-deb -I"
for field in "Package: wibz3d" "Section: games" "Architecture: $(dpkg --print-architecture)"; do
    grep -qx " $field" "$WORK/info" || fail "no '$field': $(cat "$WORK/info")"
done
# Computed from the libraries the programs link: the GLUT, DevIL, GLU, OpenAL, libsndfile,
# ALSA and C++ runtimes.
for library in libc6 libglut libdevil libglu libstdc++6 libx11-6 libopenal1 libsndfile1 libasound2; do
    grep "^ Depends:" "$WORK/info" | grep -q "$library" || fail "Depends lacks $library: $(cat "$WORK/info")"
done
# SDL, loaded at run time for the gamepads, is recommended, not depended on.
grep -qx " Recommends: libsdl2-2.0-0 (>= 2.0.9)" "$WORK/info" || fail "no SDL in Recommends: $(cat "$WORK/info")"
grep "^ Depends:" "$WORK/info" | grep -q sdl && fail "SDL in Depends: $(cat "$WORK/info")"

dpkg-deb -c "$DEB" | awk '{print $2 " " $6}' >"$WORK/contents"
for entry in "root/root ./usr/games/wibz3d" "root/root ./usr/games/wibz3d-model" \
    "root/root ./usr/share/wibz3d/tex/BG.jpg" "root/root ./usr/share/wibz3d/sounds/shot.wav" \
    "root/root ./usr/share/applications/wibz3d.desktop" \
    "root/root ./usr/share/icons/hicolor/256x256/apps/wibz3d.png" \
    "root/root ./usr/share/man/man6/wibz3d.6.gz" "root/root ./usr/share/doc/wibz3d/copyright"; do
    grep -qxF "$entry" "$WORK/contents" || fail "not in the package: $entry"
done

lintian --fail-on error "$DEB" >"$WORK/lintian" 2>&1 || fail "lintian: $(cat "$WORK/lintian")"
grep '^[EW]:' "$WORK/lintian" && fail "lintian warns"

dpkg-deb -x "$DEB" "$WORK/root" || fail "dpkg-deb -x"
start_xvfb || fail "no Xvfb"
unset WIBZ3D_DATA
play_and_quit "$WORK/root/usr/games/wibz3d" /
echo "PASS: $(basename "$DEB"): control, contents, lintian, and the unpacked game played"
