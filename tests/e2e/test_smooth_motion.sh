#!/usr/bin/env bash
# Swap sync and even motion in the real window: the game's swap-sync lines with every kind
# of driver the swap probe plays, and its frame log on displays of 60, 144 and 25 Hz.
#   test_smooth_motion.sh GAME DATA_DIR SWAP_PROBE DEMO
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap stop_all EXIT
start_xvfb || fail "no Xvfb"
python3 -u "$HERE/smooth_motion.py" "$@"
