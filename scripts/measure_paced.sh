#!/usr/bin/env bash
# measure_paced.sh -- runs the built game under Xvfb for N seconds (default 20) and
# reports its frame-rate lines and CPU use from /usr/bin/time.
#   scripts/measure_paced.sh [seconds] [WIDTHxHEIGHT]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_TO_RUN=${1:-20}
GEOMETRY=${2:-}
. "$ROOT/tests/e2e/xvfb_lib.sh"
trap stop_all EXIT
start_xvfb
OUT=$(mktemp -d)
(cd "$ROOT/build/data" 2>/dev/null || cd "$OUT"
 exec /usr/bin/time -v "$ROOT/build/src/wibz3d" >"$OUT/stdout" 2>"$OUT/time") &
GAME_PID=$!
WID=$(wait_for_window)
if [ -n "$GEOMETRY" ]; then
    xdotool windowsize "$WID" "${GEOMETRY%x*}" "${GEOMETRY#*x}"
fi
sleep "$SECONDS_TO_RUN"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool key Escape
wait_for_exit "$GAME_PID" 10
GAME_PID=""
echo "frame-rate lines (FPS = frames counted in each window of a little over 1 s):"
grep -o 'FPS [0-9.]*' "$OUT/stdout" | awk '{print $2}' | tr '\n' ' '
echo
grep -E 'Percent of CPU|Elapsed|Maximum resident' "$OUT/time"
