#!/usr/bin/env bash
# screenshot.sh -- plays a few seconds of the built game under Xvfb and saves a picture
# of it in play (the README's): the first stone locked, the craft closing in, a shot
# rising.   scripts/screenshot.sh [OUTPUT.png] [WIDTHxHEIGHT]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUTPUT=${1:-$ROOT/docs/screenshot.png}
GEOMETRY=${2:-640x480}
. "$ROOT/tests/e2e/xvfb_lib.sh"
trap stop_all EXIT
start_xvfb
LOG=$(mktemp)
start_game "$ROOT/build/src/wibz3d" "$ROOT/build/data" "$LOG"
WID=$(wait_for_window)
xdotool windowsize "$WID" "${GEOMETRY%x*}" "${GEOMETRY#*x}"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
wait_for_text "$LOG" "Initializing Lights..." 10
sleep 2.6 # the first stone arrives on the 201st frame
xdotool key d
xdotool keydown Right
sleep 0.6
xdotool keyup Right
xdotool key space
sleep 1.2
xwd -id "$WID" -silent | convert xwd:- "$OUTPUT"
xdotool key Escape
wait_for_exit "$GAME_PID" 10
GAME_PID=""
echo "Saved $OUTPUT"
