#!/usr/bin/env bash
# ./play as a newcomer without a display has it: the game and its data built alone (no test,
# benchmark or tool beyond the asset tool), the game run under Xvfb, a screenshot of it in
# play, and Escape ending it with status 0.
set -u
ROOT=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

env -u DISPLAY WIBZ_BUILD="$WORK/build" "$ROOT/play" >"$WORK/out" 2>&1 ||
    fail "./play failed: $(tail -20 "$WORK/out")"
grep -q '^The game ran headless and ended (exit status 0)' "$WORK/out" ||
    fail "the game did not end with status 0: $(tail -5 "$WORK/out")"
grep -q "^Loaded 'tex/mud.png' ok" "$WORK/build/play-headless.log" ||
    fail "the game did not load its pictures: $(cat "$WORK/build/play-headless.log")"
[ -x "$WORK/build/src/wibz3d" ] && [ -f "$WORK/build/data/models/ship.3DS" ] ||
    fail "no game or no data in the build"
for extra in tests bench tools/demo_player tools/model_inspector packaging; do
    [ ! -e "$WORK/build/$extra" ] || fail "./play built $extra"
done
# A 400 x 300 picture of the arena, not a black or blank window: its mean brightness.
SIZE_AND_MEAN=$(pngtopnm "$WORK/build/screenshot.png" | pamfile | awk '{print $4 "x" $6}')
MEAN=$(pngtopnm "$WORK/build/screenshot.png" | ppmtopgm | pamsumm -mean -brief)
[ "$SIZE_AND_MEAN" = 400x300 ] || fail "the screenshot is $SIZE_AND_MEAN"
awk -v m="$MEAN" 'BEGIN { exit !(m > 40 && m < 215) }' || fail "the screenshot's mean is $MEAN"
echo "PASS: ./play built the game alone, a ${SIZE_AND_MEAN} screenshot (mean $MEAN), status 0"
