#!/usr/bin/env bash
# compare_frames.sh -- the pictures of two builds of the game (or of one build's two
# pipelines) at the same steps of the shipped demos, compared. Each build plays every demo
# as a timedemo at 400 x 300 under Xvfb, one step drawn whole a frame, with Mesa's
# rasteriser on the calling thread (LP_NUM_THREADS=0), so a build's frames are the same on
# every run; a library preloaded into the game (scripts/frame_grab.cpp) keeps every 97th
# frame. Prints, a demo and in all, how many frames are byte for byte the same outside the
# frame-rate line, the mean difference of a channel and the share of pixels off by more
# than 16 of 255 (scripts/compare_frames.py).
#   scripts/compare_frames.sh BUILD_A BUILD_B     e.g. a build of the commit before a change
#   SHADERS_B=1 scripts/compare_frames.sh BUILD BUILD   the shader pipeline against the fixed
# KEEP=DIR keeps the frames there (A/ and B/). SMOKE=1 takes two frames of one demo.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_A=$(cd "${1:?usage: compare_frames.sh BUILD_A BUILD_B}" && pwd)
BUILD_B=$(cd "${2:?usage: compare_frames.sh BUILD_A BUILD_B}" && pwd)
for build in "$BUILD_A" "$BUILD_B"; do
    [ -x "$build/src/wibz3d" ] || { echo "missing $build/src/wibz3d: build first"; exit 1; }
done
WORK=$(mktemp -d)
. "$ROOT/tests/e2e/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
c++ -std=c++17 -O2 -shared -fPIC -o "$WORK/frame_grab.so" "$ROOT/scripts/frame_grab.cpp" -ldl

DEMOS=(orbit beam hunt-to-the-end)
[ "${SMOKE:-0}" = 1 ] && DEMOS=(orbit)
start_xvfb

# grab BUILD OUT SHADERS: the frames of each demo under OUT/DEMO.
grab() {
    local demo steps frames
    for demo in "${DEMOS[@]}"; do
        steps=$(tail -n 1 "$ROOT/demos/$demo.demo" | cut -d' ' -f1)
        frames=$(seq -s, 1 97 "$steps")
        [ "${SMOKE:-0}" = 1 ] && frames=1,98
        mkdir -p "$2/$demo"
        (cd "$1/data" && LP_NUM_THREADS=0 WIBZ3D_SHADERS="$3" GRAB_FRAMES="$frames" \
            GRAB_DIR="$2/$demo" LD_PRELOAD="$WORK/frame_grab.so" "$1/src/wibz3d" \
            --window 400x300 --timedemo "$ROOT/demos/$demo.demo" >"$WORK/$demo.log" 2>&1) ||
            { echo "$1/src/wibz3d failed on $demo:"; tail -n 5 "$WORK/$demo.log"; exit 1; }
    done
}
grab "$BUILD_A" "$WORK/A" "${SHADERS_A:-0}"
grab "$BUILD_B" "$WORK/B" "${SHADERS_B:-0}"
if [ -n "${KEEP:-}" ]; then
    mkdir -p "$KEEP"
    cp -r "$WORK/A" "$WORK/B" "$KEEP/"
fi
python3 "$ROOT/scripts/compare_frames.py" "$WORK/A" "$WORK/B"
