#!/usr/bin/env bash
# smoke.sh NAME BUILD -- runs one of the measurement programs the docs cite in its smoke mode
# (a few seconds: the same launches, parsing and figure printing as a real run) and fails
# unless it ends with status 0 and prints every figure line a real run prints, each with
# its numbers. The figures' values are not judged: a smoke run on a busy machine measures
# nothing. So a script whose programs, files or output formats have moved is caught by
# ./check instead of by the next person who measures.
#   NAME: measure_frames, measure_motion, measure_web, draw_cost, mutate, screenshot,
#   count_lines, compare_frames, compare_web_frames, bench (build/bench/wibz_bench) or
#   sound_latency (build/bench/wibz_sound_latency)
set -uo pipefail
export LC_ALL=C
NAME=$1
BUILD=$2
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
OUT=$WORK/out.txt
N='-?[0-9]+(\.[0-9]+)?' # a number; its value is not judged
PROBLEMS=0

fail() {
    echo "FAIL: $*"
    echo "---- output of $NAME ----"
    cat "$OUT"
    exit 1
}

# run COMMAND...: the smoke run, its output (both streams) in OUT; it must end with status 0.
run() {
    "$@" >"$OUT" 2>&1
    local status=$?
    [ "$status" = 0 ] || fail "$NAME ended with status $status"
}

# expect COUNT PATTERN: exactly COUNT lines of the output match the extended regular
# expression PATTERN (a figure line with its numbers).
expect() {
    local found
    found=$(grep -cE -- "$2" "$OUT")
    if [ "$found" != "$1" ]; then
        echo "expected $1 line(s) matching: $2 (found $found)"
        PROBLEMS=$((PROBLEMS + 1))
    fi
}

# The source tree's contents, to show a script left it as it was.
tree_sum() {
    (cd "$ROOT" && find src -type f -print0 | sort -z | xargs -0 sha1sum | sha1sum)
}

case "$NAME" in
measure_frames)
    run env SMOKE=1 "$ROOT/scripts/measure_frames.sh" 12 "$BUILD"
    for setup in "game" "game --no-gamepad" "game --no-sound" "game wave-device" "bare"; do
        expect 1 "^$setup start-up to first frame: median $N ms, min $N, max $N \(1 starts\)$"
        expect 1 "^$setup longest of the first 30 frame intervals: median $N ms, min $N, max $N \(1 starts\)$"
    done
    for program in "game --wave-device" "game --no-sound" "bare"; do
        for size in 400x300 1280x720; do
            expect 1 "^-- $program at $size \(start-up $N ms\)$"
        done
    done
    expect 6 "^[0-9]+ frames; the first 20 in $N s, every 20-frame span $N-$N s$"
    expect 6 "^frame interval median $N ms, 99th percentile $N ms, max $N ms$"
    expect 6 "^CPU $N % of one core \(Xvfb $N %; threads beside the main one and the renderer's $N %\) over $N s$"
    expect 1 "^load average at end: "
    ;;
measure_motion)
    run env SMOKE=1 BUILD="$BUILD" "$ROOT/scripts/measure_motion.sh"
    expect 1 "^timedemo: [0-9]+ frames in $N s, $N fps \(min $N, median $N fps over 1 s windows\)$"
    for rate in 60 144 25; do
        for drawn in blended "whole steps"; do
            expect 1 "^ideal at $rate Hz, $drawn: eye speed CV $N, off its neighbours' $N$"
        done
    done
    for rate in 60 144 25 none; do
        expect 1 "^-- $rate Hz, load average $N$"
    done
    expect 3 "^Swap sync: GLX_EXT_swap_control, interval $N asked, $N reported; frames paced by the display$"
    expect 1 "^Swap sync: not offered by the driver"
    M="($N|none)" # a figure frame_figures.py may find nothing to give
    expect 4 "^[0-9]+ frames in $N s, $N a second \([0-9]+ without a step\); refresh $N ms, $N % of frames one refresh after the one before$"
    expect 4 "^swap time less game time shown: median $N ms, p1 $N, p99 $N: spread $N ms \(steady frames: $M ms, and from the middle of each stretch between stalls: $M ms\)$"
    expect 4 "^game time over real time: $N \(\+?$N %\); [0-9]+ frames ran 10 steps, leaving them out: $M$"
    expect 4 "^eye speed, coefficient of variation over 9 frames \(median\): $M \(steady runs: $M\)$"
    expect 4 "^steady frames: offset change to the next $M ms, eye speed off its neighbours' $M \(medians\)$"
    ;;
draw_cost)
    command -v valgrind >/dev/null || { echo "SKIP: valgrind is not installed"; exit 77; }
    run env SMOKE=1 "$ROOT/scripts/draw_cost.sh" drawFrame/400/300/0 "$BUILD"
    expect 1 "^drawFrame/400/300/0: $N thousand instructions per drawn frame$"
    ;;
mutate)
    before=$(tree_sum)
    # Stopped with SIGTERM, on which it puts the file back, well before CTest's own timeout.
    run timeout 240 env SMOKE=1 "$ROOT/scripts/mutate.sh" --build "$BUILD"
    [ "$(tree_sum)" = "$before" ] || fail "the source tree was not put back as it was"
    [ ! -e "$BUILD/mutate-planted.json" ] || fail "the planted fault's record was left behind"
    expect 1 "^report: $BUILD/mutate-1\.txt$"
    for line in "^# seed 1: 1 of [0-9]+ sites$" \
        "^(caught|SURVIVED|no-build) +[0-9]+ src/[A-Za-z0-9_/]+\.cpp:[0-9]+: [^ ]+ -> [^ ]+" \
        "^# seed 1: caught [0-9]+ of [0-9]+ built \($N %\), [0-9]+ survived, [0-9]+ did not build$"; do
        expect 1 "$line"
        [ "$(grep -cE -- "$line" "$BUILD/mutate-1.txt")" = 1 ] ||
            fail "not once in the report $BUILD/mutate-1.txt: $line"
    done
    ;;
measure_web)
    run env SMOKE=1 "$ROOT/scripts/measure_web.sh" "$BUILD"
    expect 1 "^load average: $N $N $N$"
    for file in index.html wibz3d-data.js wibz3d.data wibz3d.js wibz3d.wasm; do
        expect 1 "^  ${file//./\\.} +[0-9]+ +[0-9]+$"
    done
    expect 1 "^site: [0-9]+ bytes, [0-9]+ gzipped$"
    expect 1 "^page start to first frame: median $N ms, min $N, max $N \(1 starts\)$"
    for where in "browser \(Chromium, SwiftShader\)" "desktop \(Mesa llvmpipe, fixed-function\)" \
        "desktop \(Mesa llvmpipe, shader path\)"; do
        expect 1 "^$where timedemo: 100 frames in $N s, $N fps \(min $N, median $N fps over 1 s windows\)$"
    done
    ;;
compare_frames)
    # The game drawn by the shader pipeline against its fixed-function pictures.
    run env SMOKE=1 SHADERS_B=1 "$ROOT/scripts/compare_frames.sh" "$BUILD" "$BUILD"
    F="[0-9]+ of [0-9]+ frames the same; mean difference $N a channel, $N % of pixels off by more than 16"
    expect 1 "^orbit: $F$"
    expect 1 "^all: $F$"
    ;;
compare_web_frames)
    # The page's pictures against the desktop's, both of its pipelines.
    run env SMOKE=1 "$ROOT/scripts/compare_web_frames.sh" "$BUILD"
    F="[0-9]+ of [0-9]+ frames the same; mean difference $N a channel, $N % of pixels off by more than 16"
    expect 3 "^  orbit: $F$"
    expect 3 "^  all: $F$"
    ;;
screenshot)
    run "$ROOT/scripts/screenshot.sh" "$WORK/shot.png" 320x240 "$BUILD"
    expect 1 "^Saved $WORK/shot\.png$"
    identify "$WORK/shot.png" >>"$OUT" 2>&1 || fail "no picture in $WORK/shot.png"
    expect 1 " PNG 320x240 "
    ;;
count_lines)
    run "$ROOT/scripts/count_lines.sh" -v
    expect 1 "^tests [0-9]+ lines, code [0-9]+ lines: $N %$"
    [ "$(grep -cE "^ *[0-9]+ tests/.+\.(cpp|h)$" "$OUT")" -gt 0 ] || fail "no test file listed"
    ;;
bench)
    # Every benchmark, each for a moment, but the full scan of 100,000 triangles (about 10 s,
    # run once whatever the time asked: its 1,000 and 10,000 run the same code).
    run bash -c "cd '$BUILD/data' && '$ROOT/tests/run_in_xvfb.sh' ../bench/wibz_bench \
        --benchmark_min_time=0.001 --benchmark_filter=-normalsFullScan/100000"
    expect 0 "ERROR OCCURRED"
    T="$N (ns|us|ms|s) +$N (ns|us|ms|s) +[0-9]+"
    for name in advanceFrameCrowded/10 advanceFrameCrowded/100 advanceFrameCrowded/1000 \
        import3ds/0 import3ds/1 import3ds/2 import3ds/3 import3ds/4 normalsOnePass/1000 \
        normalsOnePass/10000 normalsOnePass/100000 normalsFullScan/1000 normalsFullScan/10000 \
        loadTexturesAll/real_time buildModelListsAtStart/real_time \
        drawFrame/400/300/0/real_time drawFrame/400/300/100/real_time \
        drawFrame/1280/720/0/real_time drawFrame/1280/720/100/real_time \
        pollGamepadsWith/0 pollGamepadsWith/1; do
        expect 1 "^$name +$T( |$)"
    done
    ;;
sound_latency)
    # OpenAL Soft's wave writer: a device that opens on a machine without a sound card.
    printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/device.wav" >"$WORK/wave.conf"
    run env ALSOFT_CONF="$WORK/wave.conf" "$BUILD/bench/wibz_sound_latency" 3
    expect 1 "^device .+, 3 trials$"
    expect 1 "^play to first mixed sample: median $N ms, max $N ms$"
    expect 1 "^output latency reported: median $N ms, max $N ms$"
    ;;
*)
    echo "usage: $0 NAME BUILD (see the header)"
    exit 2
    ;;
esac
[ "$PROBLEMS" = 0 ] || fail "$PROBLEMS figure line(s) missing or repeated"
echo "PASS: $NAME printed every figure ($(wc -l <"$OUT") lines)"
