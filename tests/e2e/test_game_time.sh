#!/usr/bin/env bash
# Game time against real time in the real window, with every buffer swap held as a 60 Hz
# and a 25 Hz display that syncs would hold it (the swap probe preloaded): the stones come
# on their game-time schedule, and the frame-timer line, the HUD's FPS, counts drawn frames.
#   test_game_time.sh GAME DATA_DIR SWAP_PROBE    (RUN_SECONDS=30 a run)
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap stop_all EXIT
start_xvfb || fail "no Xvfb"
STATUS=0
for hold in 16.7 40; do
    echo "-- every swap held to the next ${hold} ms tick"
    python3 -u "$HERE/game_time.py" "$1" "$2" "$3" "$hold" "${RUN_SECONDS:-30}" || STATUS=1
done
[ "$STATUS" = 0 ] && echo "PASS: game time tracks real time at 60 and 25 drawn frames a second"
exit "$STATUS"
