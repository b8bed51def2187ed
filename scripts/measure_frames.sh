#!/usr/bin/env bash
# measure_frames.sh -- frame timing of the real game beside a bare GLUT window paced the same
# way, both under one Xvfb with Mesa, at 400x300 and 1280x720: 1,000-frame duration, median
# and 99th-percentile frame interval, CPU use, and start-up to the first frame drawn. The
# game starts as a player has it (its sound on this machine's default device, its gamepads'
# SDL after the first frame: the longest of the first 30 frame intervals shows what starting
# it costs), with --no-gamepad, with --no-sound, and with OpenAL Soft's wave writer as its
# sound device (a device that opens, on a machine without a sound card); in play the
# threads beside the main one and the renderer's (the sound mixer's) are timed on their
# own. A probe preloaded into each program (bench/swap_probe.cpp) records the time of every
# buffer swap; neither program is changed or told anything.
#   scripts/measure_frames.sh [seconds-per-run] [build-dir]     (STARTS=n start-ups, default 5)
# SMOKE=1 makes the same launches and prints the same figures in a few seconds, to show the
# script still works (CTest runs it as script_measure_frames): one start-up of each, runs of
# 1 s held until they hold 21 frames, and spans of 20 frames instead of 1,000.
set -euo pipefail
export LC_ALL=C # EPOCHREALTIME and awk with a decimal point
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SMOKE=${SMOKE:-0}
RUN_SECONDS=${1:-12}
BUILD=${2:-$ROOT/build}
BUILD=$(cd "$BUILD" && pwd) # the programs run in its data folder
STARTS=${STARTS:-5}
SPAN=1000 # frames in a span
if [ "$SMOKE" = 1 ]; then
    RUN_SECONDS=1 STARTS=1 SPAN=20
fi
GAME=$BUILD/src/wibz3d
BARE=$BUILD/bench/wibz_bare_window
PROBE=$BUILD/bench/libwibz_swap_probe.so
DATA=$BUILD/data
for f in "$GAME" "$BARE" "$PROBE"; do
    [ -e "$f" ] || { echo "missing $f: build first (scripts/setup.sh $BUILD)"; exit 1; }
done
[ "$SMOKE" = 1 ] || [ "$RUN_SECONDS" -ge 11 ] ||
    { echo "a run needs at least 11 s for 1,000 frames"; exit 1; }

. "$ROOT/tests/e2e/xvfb_lib.sh"
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
start_xvfb
CLK_TCK=$(getconf CLK_TCK)

title_of() { [ "$1" = "$GAME" ] && echo 'Wibz3D' || echo 'Bare GLUT window'; }
# "game --no-sound" or "bare": the program's name and its arguments, not its path.
name_of() {
    if [ "$1" = "$GAME" ]; then
        shift
        echo "game $*"
    else
        echo bare
    fi
}
# OpenAL Soft writing its output into a file: a sound device that opens without a card.
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/device.wav" >"$WORK/wave.conf"

# User plus system time of a process and all its threads so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# The same for its threads other than the main one and the renderer's llvmpipe-N: the
# sound's (OpenAL Soft's mixer) and Mesa's idle helpers.
side_ticks() {
    local total=0 task
    for task in /proc/"$1"/task/*; do
        [ "${task##*/}" = "$1" ] && continue
        grep -q '^llvmpipe' "$task/comm" 2>/dev/null && continue
        total=$((total + $(awk '{print $14 + $15}' "$task/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}

# launch PROGRAM LOG [ARGS...]: starts it in the data folder with the probe; the launch time
# (wall clock, microseconds) is taken in the shell that then becomes the program. The
# argument --wave-device is ours: OpenAL Soft's wave writer as the sound device.
launch() {
    local program=$1 log=$2 conf=${ALSOFT_CONF:-}
    shift 2
    if [ "${1:-}" = --wave-device ]; then
        conf=$WORK/wave.conf
        shift
    fi
    (cd "$DATA" && export LD_PRELOAD="$PROBE" WIBZ_SWAP_LOG="$log" ALSOFT_CONF="$conf" &&
        echo "$EPOCHREALTIME" >"$log.launch" && exec "$program" "$@" >"$log.out" 2>"$log.err") &
    GAME_PID=$!
}

end_program() {
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

# Milliseconds from launch to the first swap; fails when there was none.
startup_ms() {
    local t0
    t0=$(cat "$1.launch") || return 1
    awk -v t0="$t0" 'NR == 1 { printf "%.1f", $2 / 1e6 - t0 * 1000; swapped = 1; exit }
        END { if (!swapped) { print "no swap in " FILENAME >"/dev/stderr"; exit 1 } }' "$1"
}

# The longest of the first 30 frame intervals, in milliseconds.
early_stall_ms() {
    awk 'NR > 1 && NR <= 31 { gap = ($1 - last) / 1e6; if (gap > most) most = gap } { last = $1 }
        END { printf "%.1f", most }' "$1"
}

# median_of NAME WHAT FILE: "NAME WHAT: median M ms, min A, max B (N starts)" of the
# values in FILE, one a line.
median_of() {
    sort -g "$3" | awk -v name="$1" -v what="$2" '
        { v[NR] = $1 } END { printf "%s %s: median %.1f ms, min %.1f, max %.1f (%d starts)\n",
            name, what, v[int((NR + 1) / 2)], v[1], v[NR], NR }'
}

# start_once LABEL PROGRAM [ARGS...]: one launch, run until it has drawn 31 frames; its
# start-up to the first frame and the longest of the next 30 intervals go to LABEL's files.
start_once() {
    local label=$1 program=$2 log
    shift 2
    log="$WORK/start-${label// /}-$(date +%s%N)"
    launch "$program" "$log" "$@"
    for _ in $(seq 2000); do
        [ -f "$log" ] && [ "$(wc -l <"$log")" -ge 31 ] && break
        sleep 0.01
    done
    end_program
    startup_ms "$log" >>"$WORK/${label// /}.starts"
    echo >>"$WORK/${label// /}.starts"
    early_stall_ms "$log" >>"$WORK/${label// /}.stalls"
    echo >>"$WORK/${label// /}.stalls"
}

report_startups() {
    median_of "$1" "start-up to first frame" "$WORK/${1// /}.starts"
    median_of "$1" "longest of the first 30 frame intervals" "$WORK/${1// /}.stalls"
}

# The swaps between wall-clock times A and B (seconds): the first SPAN frames' duration,
# every SPAN-frame span's range, and the frame intervals' median, 99th percentile, maximum.
# Fewer than SPAN frames is a figure too; a window without two frames is not.
frame_figures() {
    awk -v a="$2" -v b="$3" '$2 >= a * 1e9 && $2 <= b * 1e9 { print $1 }' "$1" >"$1.window"
    awk -v span="$SPAN" '{ mono[n++] = $1 }
        END {
            if (n <= span) { printf "only %d frames in the window\n", n; exit }
            lo = 1e30; hi = 0
            for (k = 0; k + span < n; ++k) {
                t = (mono[k + span] - mono[k]) / 1e9
                if (t < lo) lo = t
                if (t > hi) hi = t
            }
            printf "%d frames; the first %d in %.3f s, every %d-frame span %.3f-%.3f s\n",
                n, span, (mono[span] - mono[0]) / 1e9, span, lo, hi
        }' "$1.window"
    awk 'NR > 1 { print ($1 - last) / 1e6 } { last = $1 }' "$1.window" | sort -g |
        awk '{ v[NR] = $1 } END {
            if (NR < 1) { print "no frame interval in the window"; exit 1 }
            printf "frame interval median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n",
                v[int(NR * 0.50 + 0.999999)], v[int(NR * 0.99 + 0.999999)], v[NR] }'
}

# swaps_since LOG A: the swaps in LOG from wall-clock time A (seconds) on.
swaps_since() {
    awk -v a="$2" '$2 >= a * 1e9 { n++ } END { print n + 0 }' "$1"
}

# One timed run: the program at a window size, SECONDS of frames after a settling second.
measure_run() {
    local program=$1 width=$2 height=$3 log wid ta tb ca cb xa xb sa sb
    shift 3
    log="$WORK/run-$(name_of "$program" "$@" | tr -d ' ')-${width}x$height"
    launch "$program" "$log" "$@"
    wid=$(wait_for_window "$(title_of "$program")") || { echo "no window"; exit 1; }
    xdotool windowsize --sync "$wid" "$width" "$height" 2>/dev/null ||
        xdotool windowsize "$wid" "$width" "$height"
    sleep 1
    ta=$EPOCHREALTIME ca=$(cpu_ticks "$GAME_PID") xa=$(cpu_ticks "$XVFB_PID") sa=$(side_ticks "$GAME_PID")
    sleep "$RUN_SECONDS"
    # A smoke run waits for its frames, so that a slow machine gives every figure too.
    if [ "$SMOKE" = 1 ]; then
        for _ in $(seq 600); do
            [ "$(swaps_since "$log" "$ta")" -gt "$SPAN" ] && break
            sleep 0.1
        done
    fi
    tb=$EPOCHREALTIME cb=$(cpu_ticks "$GAME_PID") xb=$(cpu_ticks "$XVFB_PID") sb=$(side_ticks "$GAME_PID")
    local size startup
    size=$(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
    end_program
    startup=$(startup_ms "$log")
    echo "-- $(name_of "$program" "$@") at $size (start-up $startup ms)"
    frame_figures "$log" "$ta" "$tb"
    awk -v c="$((cb - ca))" -v x="$((xb - xa))" -v m="$((sb - sa))" -v t="$CLK_TCK" -v a="$ta" \
        -v b="$tb" 'BEGIN {
        s = b - a
        printf "CPU %.1f %% of one core (Xvfb %.1f %%; threads beside the main one and the renderer\x27s %.1f %%) over %.1f s\n",
            c / t / s * 100, x / t / s * 100, m / t / s * 100, s }'
}

echo "== Machine"
echo "nproc $(nproc); $(grep -m1 'model name' /proc/cpuinfo | sed 's/\s*:\s*/: /')"
glxinfo -B 2>/dev/null | grep -E 'OpenGL (renderer|version) string' || echo "(glxinfo not installed)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== Start-up"
# Interleaved, so that the machine's load falls alike on each.
for _ in $(seq "$STARTS"); do
    start_once "game" "$GAME"
    start_once "game --no-gamepad" "$GAME" --no-gamepad
    start_once "game --no-sound" "$GAME" --no-sound
    start_once "game wave-device" "$GAME" --wave-device
    start_once "bare" "$BARE"
done
for setup in "game" "game --no-gamepad" "game --no-sound" "game wave-device" "bare"; do
    report_startups "$setup"
done
echo "== Paced frames (${RUN_SECONDS} s a run)"
for size in "400 300" "1280 720"; do
    measure_run "$GAME" $size --wave-device
    measure_run "$GAME" $size --no-sound
    measure_run "$BARE" $size
done
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
