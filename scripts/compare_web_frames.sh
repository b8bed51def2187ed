#!/usr/bin/env bash
# compare_web_frames.sh -- the page's pictures against the desktop's at the same steps of
# the shipped demos: scripts/compare_frames.sh takes the desktop game's timedemo frames at
# 400 x 300 under Xvfb (every 97th, with Mesa's fixed-function pipeline and with the shader
# path, both llvmpipe), scripts/web_frames.js the page's at the same frames in headless
# Chromium (the shader path on SwiftShader), and scripts/compare_frames.py prints, leaving
# out the frame-rate line, the mean difference of a channel and the share of pixels off by
# more than 16 of 255: the page against the desktop's own picture, and against the desktop's
# shader path.
#   scripts/compare_web_frames.sh [build-dir] [web-build-dir]
# PICTURES=DIR also writes one frame of each, the orbit demo's after step 1843, as
# DIR/frame-desktop.png and DIR/frame-browser.png (netpbm). SMOKE=1 takes two frames of one
# demo.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
WEB_BUILD=$(cd "${2:-${WIBZ_WEB_BUILD:-$ROOT/build-web}}" && pwd)
WORK=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] && cp -r "$WORK" "$KEEP_WORK"; rm -rf "$WORK"' EXIT
export NODE_PATH=$ROOT/tests/web/node_modules

echo "desktop, shader path against fixed-function:"
KEEP="$WORK/desktop" SHADERS_B=1 "$ROOT/scripts/compare_frames.sh" "$BUILD" "$BUILD" | sed 's/^/  /'
# The desktop's first frame is GLUT's first display, of the set-up game before any step; the
# page draws its first after the first step. So the desktop's frame N shows what the page's
# frame N - 1 does, and the desktop's first has no counterpart.
rm -f "$WORK"/desktop/[AB]/*/frame00001.ppm
for demo_dir in "$WORK/desktop/A"/*/; do
    demo=$(basename "$demo_dir")
    frames=$(cd "$demo_dir" && ls | sed 's/^frame0*\([0-9]*\)\.ppm$/\1/' | awk '{print $1 - 1}' |
        paste -sd,)
    node "$ROOT/scripts/web_frames.js" "$WEB_BUILD/site" "$WORK/browser/$demo" "$demo" "$frames" 1
done
echo "browser against the desktop's fixed-function picture:"
python3 "$ROOT/scripts/compare_frames.py" "$WORK/desktop/A" "$WORK/browser" | sed 's/^/  /'
echo "browser against the desktop's shader path:"
python3 "$ROOT/scripts/compare_frames.py" "$WORK/desktop/B" "$WORK/browser" | sed 's/^/  /'
if [ -n "${PICTURES:-}" ]; then
    mkdir -p "$PICTURES"
    pnmtopng "$WORK/desktop/A/orbit/frame01844.ppm" >"$PICTURES/frame-desktop.png"
    pnmtopng "$WORK/browser/orbit/frame01844.ppm" >"$PICTURES/frame-browser.png"
    echo "Wrote $PICTURES/frame-desktop.png and $PICTURES/frame-browser.png"
fi
