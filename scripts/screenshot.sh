#!/usr/bin/env bash
# screenshot.sh -- plays a few seconds of the built game under Xvfb and saves a picture
# of it in play (the README's): the first stone locked, the craft closing in, a shot
# rising.   scripts/screenshot.sh [OUTPUT.png] [WIDTHxHEIGHT] [build-dir]
# It takes about 6 s whatever the size; CTest runs it as script_screenshot, into a
# temporary file.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUTPUT=${1:-$ROOT/docs/screenshot.png}
GEOMETRY=${2:-640x480}
BUILD=${3:-$ROOT/build}
BUILD=$(cd "$BUILD" && pwd) # the game runs in its data folder
[ -x "$BUILD/src/wibz3d" ] || { echo "missing $BUILD/src/wibz3d: build first (scripts/setup.sh $BUILD)"; exit 1; }
. "$ROOT/tests/e2e/xvfb_lib.sh"
LOG=$(mktemp)
trap 'stop_all; rm -f "$LOG" "$LOG.err"' EXIT
start_xvfb
start_game "$BUILD/src/wibz3d" "$BUILD/data" "$LOG"
WID=$(wait_for_window) || { echo "no window: $(cat "$LOG.err")"; exit 1; }
# Without a window manager the window stands at -1,-1, and its top row and left column
# would be cut off the picture.
xdotool windowmove "$WID" 0 0
xdotool windowsize "$WID" "${GEOMETRY%x*}" "${GEOMETRY#*x}"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
wait_for_text "$LOG" "Initializing Lights..." 20 || { echo "the game did not start: $(cat "$LOG.err")"; exit 1; }
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
