#!/usr/bin/env bash
# Demos end to end: a game recorded in the real window with xdotool keys plays back in the
# window and headless to the same end state, byte for byte, with the same console lines
# (timer lines left out); a recording killed with SIGKILL still plays; bad demos give
# status 2 and one line naming file and line; two timedemos of one demo count the same
# frames.
#   test_demos.sh GAME DEMO_TOOL
set -u
GAME=$1
TOOL=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
WORK=$(mktemp -d)
cd "$WORK" || exit 1

# The frame timer's line ("\ncurTime ..., FPS n") is the one thing that differs.
without_timer() {
    perl -0pe 's/\ncurTime [0-9.]+, lastTime [0-9.]+, FrameInterval [0-9.]+, FPS [0-9.]+//g' "$1"
}

start_xvfb || fail "no Xvfb"

# Record: lock the first stone, steer, fire, step the focus; then Escape.
"$GAME" --record "$WORK/rec.demo" >rec.out 2>rec.err &
GAME_PID=$!
WID=$(wait_for_window) || fail "no window"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
# Lock the first stone once it has arrived (step 201): d until the lock line shows, so a
# slow build, whose game time lags behind, waits for it instead of locking nothing.
for _ in $(seq 120); do
    sleep 0.5
    xdotool key d
    wait_for_text rec.out "nlock 1" 1 && break
done
grep -q "nlock 1" rec.out || fail "no stone to lock after a minute: $(cat rec.out)"
# Each held key is let go, and Escape sent, once the game has written the intentions before
# it into the demo, step by step: a busy machine may run no step while a key is held for a
# fixed time, or reach the Escape before the keys typed ahead of it.
xdotool keydown Up
wait_for_text rec.demo " forward" 30 || fail "Up held: no forward step: $(tail -n3 rec.demo)"
xdotool keyup Up
xdotool key space
xdotool keydown Right
wait_for_text rec.demo " right" 30 || fail "Right held: no right step: $(tail -n3 rec.demo)"
xdotool keyup Right
xdotool key f F2 c space
wait_for_text rec.demo " around-centre" 30 && wait_for_text rec.demo " fps" 30 ||
    fail "f F2 c: not in the demo: $(tail -n3 rec.demo)"
xdotool key Escape
wait_for_exit "$GAME_PID" 10
GAME_PID=""
[ "$EXIT_STATUS" = 0 ] || fail "recording: Escape gave $EXIT_STATUS"
tail -n1 rec.demo | grep -q ' end$' || fail "no end line: $(tail -n2 rec.demo)"
head -n1 rec.demo | grep -q '^wibz3d-demo 2 ' || fail "header: $(head -n1 rec.demo)"
grep -q '^[0-9]* .*lock' rec.demo && grep -q ' forward' rec.demo && grep -q ' fps' rec.demo \
    && grep -q ' around-centre' rec.demo || fail "intentions missing from the demo: $(cat rec.demo)"

# Played in the window to its end, and headless.
"$GAME" --play rec.demo --exit-at-end --dump-state window.state >play.out 2>play.err
[ $? = 0 ] || fail "--play --exit-at-end: $(cat play.err)"
"$TOOL" rec.demo --dump-state headless.state >headless.out || fail "headless play"
cmp window.state headless.state || fail "end states differ: $(diff window.state headless.state)"
grep -q '^stones [1-9]' window.state || fail "no stone in the end state: $(cat window.state)"
cmp <(without_timer rec.out) <(without_timer play.out) \
    || fail "console lines differ: $(diff <(without_timer rec.out) <(without_timer play.out))"

# Killed mid-recording: the demo plays to its last complete step.
"$GAME" --record killed.demo >/dev/null 2>&1 &
GAME_PID=$!
WID=$(wait_for_window) || fail "no window"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool keydown Left
wait_for_text killed.demo " left" 30 || fail "Left held: no left step: $(tail -n3 killed.demo)"
sleep 1.0 # some steps more, one of them perhaps half written when killed
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
GAME_PID=""
xdotool keyup Left
! grep -q end killed.demo || fail "a killed recording has an end line"
"$TOOL" killed.demo --dump-state killed.state >/dev/null 2>killed.err || fail "killed demo: $(cat killed.err)"

# Bad demos: status 2 and one line naming the file (and line), before any window.
printf 'wibz3d-demo 1 1.0.0\n5 Up\n4 Down\n' >order.demo
printf 'doom-demo 1\n' >header.demo
for bad in "missing.demo:missing.demo: cannot open" "order.demo:order.demo:3: step 4" \
    "header.demo:header.demo:1: not a Wibz3D demo"; do
    file=${bad%%:*}
    DISPLAY= "$GAME" --play "$file" >bad.out 2>bad.err
    status=$?
    [ "$status" = 2 ] || fail "$file gave status $status"
    [ "$(wc -l <bad.err)" = 1 ] && grep -qF "${bad#*:}" bad.err || fail "$file: $(cat bad.err)"
done

# Two timedemos of the recorded game: the same frame count, a time and a rate; the end
# state named by an absolute path lands there, as the window's playback's did.
for run in 1 2; do
    "$GAME" --timedemo rec.demo --dump-state "$PWD/timedemo$run.state" >"timedemo$run.out" 2>&1 \
        || fail "timedemo $run"
    cmp -s window.state "timedemo$run.state" || fail "timedemo $run end state"
    grep -o 'timedemo: [0-9]* frames in [0-9.]* s, [0-9.]* fps (min [0-9.]*, median [0-9.]* fps over 1 s windows)' \
        "timedemo$run.out" >"timedemo$run.line" || fail "timedemo line: $(tail -c 300 "timedemo$run.out")"
done
[ "$(cut -d' ' -f2 timedemo1.line)" = "$(cut -d' ' -f2 timedemo2.line)" ] \
    || fail "timedemo frame counts differ: $(cat timedemo1.line timedemo2.line)"
echo "PASS: $(wc -l <rec.demo) demo lines, end states equal, $(cat timedemo1.line)"
