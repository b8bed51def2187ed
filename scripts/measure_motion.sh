#!/usr/bin/env bash
# measure_motion.sh -- how evenly the game's drawn motion runs on a display of each rate: the
# built game plays demos/orbit.demo under Xvfb with the swap probe (bench/swap_probe.cpp)
# playing a display that syncs swaps at that rate, writes a frame log (--frame-log) and
# scripts/frame_figures.py turns it into the figures. "none" is Xvfb alone: no swap sync
# offered, the game paces itself.
#   scripts/measure_motion.sh [seconds] [rate-in-Hz|none ...]   (default 30 s; 60 144 25 none)
# BUILD=dir picks the build (default build/), WINDOW=WxH the window (default 400x300),
# GAME_ARGS more options for the game (with --vsync off the swaps are not held, and the
# steady frames are better judged against the game's own 10 ms: run frame_figures.py on the
# log kept with LOGS=dir and --refresh-ms 10), LOGS=dir keeps the frame logs, and
# OFFER the extensions the probe offers (its default: both swap-control ones; empty: none,
# so every swap is held at the driver's default interval of 1). The game's "Swap sync"
# lines and the load average are printed with each run. First a timedemo of the same demo
# logs the game's own steps, and what a perfectly timed picture would score at each rate is
# printed: the demo's own speeding up and slowing down, which no drawing can take away.
# A run lasts until its log holds 20 frames after the first 2 s, however long that takes.
# SMOKE=1 runs the same timedemo and rates with runs that last no longer than that, and
# prints the same figures, to show the script still works (CTest runs it as
# script_measure_motion).
set -euo pipefail
export LC_ALL=C
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_PER_RUN=${1:-30}
[ "${SMOKE:-0}" = 1 ] && SECONDS_PER_RUN=0
shift || true
RATES=("$@")
[ ${#RATES[@]} -gt 0 ] || RATES=(60 144 25 none)
BUILD=${BUILD:-$ROOT/build}
BUILD=$(cd "$BUILD" && pwd) # the game runs in its data folder
GAME=$BUILD/src/wibz3d
PROBE=$BUILD/bench/libwibz_swap_probe.so
for f in "$GAME" "$PROBE"; do
    [ -e "$f" ] || { echo "missing $f: build first (scripts/setup.sh $BUILD)"; exit 1; }
done

. "$ROOT/tests/e2e/xvfb_lib.sh"
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
start_xvfb

# frames_after LOG MS: the frames in a frame log swapped MS or more after its first.
frames_after() {
    awk -v ms="$2" '/^#/ { next } !seen { first = $1; seen = 1 } $1 - first >= ms { n++ }
        END { print n + 0 }' "$1" 2>/dev/null || echo 0
}

# run RATE: the demo for SECONDS_PER_RUN with the probe at RATE (none: without it).
run() {
    local rate=$1 log="$WORK/frames-$1.log" out="$WORK/out-$1.txt" refresh=()
    local env=()
    if [ "$rate" != none ]; then
        local period
        period=$(awk -v hz="$rate" 'BEGIN { printf "%.6f", 1000 / hz }')
        env=(LD_PRELOAD="$PROBE" WIBZ_SWAP_HOLD_MS="$period")
        [ -n "${OFFER+set}" ] && env+=(WIBZ_SWAP_OFFER="$OFFER")
        refresh=(--refresh-ms "$period")
    fi
    echo "-- $rate Hz, load average $(cut -d' ' -f1 /proc/loadavg)"
    # shellcheck disable=SC2086 # GAME_ARGS is split into options on purpose
    (cd "$BUILD/data" && exec env "${env[@]}" "$GAME" --window "${WINDOW:-400x300}" \
        --play "$ROOT/demos/orbit.demo" --frame-log "$log" ${GAME_ARGS:-} >"$out" 2>&1) &
    GAME_PID=$!
    sleep "$SECONDS_PER_RUN"
    # frame_figures.py leaves out the first 2 s and needs 10 frames after them.
    for _ in $(seq 600); do
        [ "$(frames_after "$log" 2000)" -ge 20 ] && break
        sleep 0.1
    done
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
    grep -a '^Swap sync:' "$out" || echo "(no Swap sync line)"
    python3 "$ROOT/scripts/frame_figures.py" "$log" --skip 2 "${refresh[@]}"
    [ -z "${LOGS:-}" ] || cp "$log" "$LOGS/frames-$rate.log"
}

echo "== $(nproc) cores; $(grep -m1 'model name' /proc/cpuinfo | sed 's/\s*:\s*/: /')"
(cd "$BUILD/data" && "$GAME" --window 64x48 --timedemo "$ROOT/demos/orbit.demo" \
    --frame-log "$WORK/steps.log" >"$WORK/timedemo.txt" 2>&1) || { echo "the timedemo failed"; exit 1; }
grep -a '^timedemo:' "$WORK/timedemo.txt" || { echo "the timedemo gave no timedemo line"; exit 1; }
for rate in "${RATES[@]}"; do
    [ "$rate" = none ] || python3 "$ROOT/scripts/frame_figures.py" "$WORK/steps.log" --skip 2 \
        --ideal "$rate"
done
for rate in "${RATES[@]}"; do
    run "$rate"
done
