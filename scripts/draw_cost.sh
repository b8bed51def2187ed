#!/usr/bin/env bash
# draw_cost.sh -- machine instructions per drawn frame, counted by callgrind: repeatable to
# the instruction whatever else the machine is doing, so a change to the drawing or the
# assets can be judged without a quiet machine. Mesa's rasteriser is kept on the calling
# thread (LP_NUM_THREADS=0) so all of its work is counted; only the drawn frame is counted
# (benchDrawnFrame: the blend, the drawing and the swap).
#   scripts/draw_cost.sh [benchmark-regex] [build-dir]   (default drawFrame/400/300/0)
# Needs valgrind. Frames are counted as the difference of a 6-frame and a 1-frame run, after
# a first run that fills Mesa's shader cache, so shader compiling is left out. SMOKE=1 leaves
# out that first run and counts 2 frames against 1, to show the script still works in a
# quarter of a minute (CTest runs it as script_draw_cost); its count may hold compiling.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FILTER=${1:-drawFrame/400/300/0}
BUILD=${2:-$ROOT/build}
BUILD=$(cd "$BUILD" && pwd) # the benchmark runs in its data folder
BENCH=$BUILD/bench/wibz_bench
[ -x "$BENCH" ] || { echo "missing $BENCH: build first (scripts/setup.sh $BUILD)"; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is needed: apt-get install valgrind"; exit 1; }

# instructions REPETITIONS: instructions counted inside the drawn frame over that many
# frames; fails when the benchmark did not run (a filter that matches none counts nothing).
instructions() {
    local out
    out=$(cd "$BUILD/data" && LP_NUM_THREADS=0 "$ROOT/tests/run_in_xvfb.sh" valgrind \
        --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect='benchDrawnFrame*' \
        "$BENCH" --benchmark_filter="$FILTER" --benchmark_min_time=0.01 \
        --benchmark_repetitions="$1" 2>&1) || { tail -n 20 <<<"$out" >&2; return 1; }
    if grep -q 'ERROR OCCURRED' <<<"$out" ||
        ! awk -v f="$FILTER" '$1 ~ f { ran = 1 } END { exit !ran }' <<<"$out"; then
        echo "the benchmark $FILTER did not run:" >&2
        grep -v '^==' <<<"$out" | tail -n 20 >&2
        return 1
    fi
    awk '/I +refs:/ { gsub(",", "", $NF); print $NF }' <<<"$out"
}

FRAMES=6
if [ "${SMOKE:-0}" = 1 ]; then
    FRAMES=2
else
    instructions 1 >/dev/null
fi
one=$(instructions 1)
many=$(instructions "$FRAMES")
[ -n "$one" ] && [ -n "$many" ] || { echo "callgrind gave no count"; exit 1; }
echo "$FILTER: $(((many - one) / (FRAMES - 1) / 1000)) thousand instructions per drawn frame"
