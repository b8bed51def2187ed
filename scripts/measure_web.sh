#!/usr/bin/env bash
# measure_web.sh -- the browser build's figures beside the desktop's, one after the other on
# this machine, both drawn in software: the site's files whole and gzipped (what a host
# sends), the time from opening the page to its first frame in headless Chromium, and the
# timedemo of demos/orbit.demo at 400x300 in the page (Chromium's SwiftShader) and in the
# desktop game under Xvfb (Mesa's llvmpipe), with the fixed-function pipeline and with the
# same shader path as the page's (WIBZ3D_SHADERS=1). The load average is printed first.
#   scripts/measure_web.sh [build-dir] [web-build-dir]     (STARTS=n page starts, default 5)
# SMOKE=1 makes the same launches and prints the same figures in a few seconds, to show the
# script still works (CTest runs it as script_measure_web): one page start, and the
# timedemos of the demo's first 100 steps.
set -euo pipefail
export LC_ALL=C
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SMOKE=${SMOKE:-0}
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
WEB_BUILD=$(cd "${2:-${WIBZ_WEB_BUILD:-$ROOT/build-web}}" && pwd)
STARTS=${STARTS:-5}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export NODE_PATH=$ROOT/tests/web/node_modules

DEMO=$ROOT/demos/orbit.demo
if [ "$SMOKE" = 1 ]; then
    STARTS=1
    DEMO=$WORK/orbit.demo # its first 100 steps, ended there
    awk 'NR == 1 || ($1 ~ /^[0-9]+$/ && $1 <= 100) { print } END { print "101 end" }' \
        "$ROOT/demos/orbit.demo" >"$DEMO"
fi

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "site files (bytes, whole and gzipped -9):"
total=0
total_gz=0
for file in "$WEB_BUILD"/site/*; do
    size=$(stat -c %s "$file")
    gz=$(gzip -9 -c "$file" | wc -c)
    printf '  %-16s %9d %9d\n' "$(basename "$file")" "$size" "$gz"
    total=$((total + size))
    total_gz=$((total_gz + gz))
done
echo "site: $total bytes, $total_gz gzipped"

node "$ROOT/scripts/web_timings.js" "$WEB_BUILD/site" "$DEMO" "$STARTS"

# The desktop game's timedemo on a private Xvfb, from its data folder.
native_timedemo() {
    local label=$1
    shift
    (cd "$BUILD/data" && env "$@" "$ROOT/tests/run_in_xvfb.sh" "$BUILD/src/wibz3d" \
        --timedemo "$DEMO" --window 400x300 --no-sound --no-gamepad) >"$WORK/native.txt" 2>&1 ||
        { cat "$WORK/native.txt"; exit 1; }
    echo "$label $(grep -a '^timedemo: ' "$WORK/native.txt")"
}
native_timedemo "desktop (Mesa llvmpipe, fixed-function)" WIBZ3D_SHADERS=0
native_timedemo "desktop (Mesa llvmpipe, shader path)" WIBZ3D_SHADERS=1
