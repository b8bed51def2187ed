#!/usr/bin/env bash
# Sound end to end, without a sound card: the busiest demo's sound track rendered twice to
# the same bytes, every event heard in its step and the mix under full scale; the volume;
# the game in its window with OpenAL Soft's file-writing backend as its device, heard
# around the demo's hits; --no-sound opening no device; a missing device giving one line
# on standard error and a normal game.
#   test_sound.sh GAME DEMO_TOOL DATA DEMOS [--no-busy-track]
# --no-busy-track leaves out the busiest demo's track (the sanitizer build: the sound tests
# render the same demo under the sanitizers).
set -u
GAME=$1
TOOL=$2
DATA=$3
DEMOS=$4
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
WORK=$(mktemp -d)
cd "$WORK" || exit 1
LISTEN="python3 $HERE/listen.py"
unset ALSOFT_DRIVERS ALSOFT_CONF

# The track of the busiest demo, twice.
BUSY=$DEMOS/hunt-to-the-end.demo
if [ "${5:-}" != --no-busy-track ]; then
    "$TOOL" "$BUSY" --data "$DATA" --sound-track a.wav --events events.txt >/dev/null ||
        fail "--sound-track"
    "$TOOL" "$BUSY" --data "$DATA" --sound-track b.wav >/dev/null || fail "--sound-track again"
    cmp a.wav b.wav || fail "two renders of one demo differ"
    $LISTEN track a.wav events.txt || fail "the track of $BUSY"
fi

# The beam demo up to step 500: a stone arrives at step 201, is hit at 396.
awk 'NR == 1 || $1 + 0 < 500' "$DEMOS/beam.demo" >short.demo
echo "500 end" >>short.demo
# The volume scales the whole mix; 0 is silence.
"$TOOL" short.demo --data "$DATA" --sound-track short.wav >/dev/null || fail "short track"
"$TOOL" short.demo --data "$DATA" --sound-track half.wav --volume 50 >/dev/null || fail "--volume 50"
FULL=$($LISTEN peak short.wav)
HALF=$($LISTEN peak half.wav)
awk -v f="$FULL" -v h="$HALF" 'BEGIN { exit !(h > 0.49 * f && h < 0.51 * f) }' ||
    fail "--volume 50 gave a peak of $HALF against $FULL"
"$TOOL" short.demo --data "$DATA" --sound-track none.wav --volume 0 >/dev/null || fail "--volume 0"
[ "$($LISTEN peak none.wav)" = 0.0000 ] || fail "--volume 0 is not silent"

# The real path: the game's own device is OpenAL Soft's wave writer.
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/device.wav" >wave.conf
start_xvfb || fail "no Xvfb"
ALSOFT_CONF=$WORK/wave.conf "$GAME" --data "$DATA" --play short.demo --exit-at-end \
    >play.out 2>play.err &
GAME_PID=$!
wait_for_exit "$GAME_PID" 120
GAME_PID=""
[ "$EXIT_STATUS" = 0 ] || fail "the demo with the wave device: status $EXIT_STATUS, $(cat play.err)"
[ ! -s play.err ] || fail "standard error with a working device: $(cat play.err)"
grep -q "^Loaded 'tex/shadow.png' ok" play.out || fail "no game: $(cat play.out)"
# The device opens once the first frame is drawn, within a second of the first step, so
# step N sounds at N / 100 - 1 s or later.
[ "$($LISTEN window device.wav 0 1.0)" = 0.0000 ] || fail "the device played before step 201"
# After the arrival (step 201) the device heard the shot, the strike and the hit (steps
# 382 to 396) as loud as the track has them.
HEARD=$($LISTEN heard device.wav short.wav 201 382 396) || fail "the device: $HEARD"

# --no-sound: no device at all, so the wave writer never writes its file.
rm -f device.wav
printf 'wibz3d-demo 2 1.0.0\n100 end\n' >second.demo
ALSOFT_CONF=$WORK/wave.conf "$GAME" --data "$DATA" --no-sound --play second.demo --exit-at-end \
    >quiet.out 2>quiet.err
[ $? = 0 ] || fail "--no-sound: $(cat quiet.err)"
[ ! -e device.wav ] || fail "--no-sound opened the sound device"
[ ! -s quiet.err ] || fail "--no-sound wrote to standard error: $(cat quiet.err)"

# No device: ALSA asked for a card that is not there (on any machine), ALSA's and OpenAL's
# complaints kept off the console, one line of our own, and the game plays on.
out=$WORK/nodevice.out
ALSOFT_DRIVERS=alsa ALSA_CARD=wibz3d-no-such-card start_game "$GAME" "$WORK" "$out" --data "$DATA"
WID=$(wait_for_window) || fail "no window without a device: $(cat "$out.err")"
wait_for_text "$out" "curTime " 20 || fail "no frames without a device: $(cat "$out")"
quit_game "$WID"
[ "$EXIT_STATUS" = 0 ] || fail "Escape without a device gave $EXIT_STATUS"
[ "$(wc -l <"$out.err")" = 1 ] || fail "not one line on standard error: $(cat "$out.err")"
grep -q '^wibz3d: no sound: no sound device could be opened (.*); playing silent$' "$out.err" ||
    fail "the line without a device: $(cat "$out.err")"
echo "PASS: the wave device: $HEARD"
