#!/usr/bin/env bash
# draw_cost.sh -- machine instructions per drawn frame, counted by callgrind: repeatable to
# the instruction whatever else the machine is doing, so a change to the drawing or the
# assets can be judged without a quiet machine. Mesa's rasteriser is kept on the calling
# thread (LP_NUM_THREADS=0) so all of its work is counted; only the drawn frame is counted
# (benchDrawnFrame: the blend, the drawing and the swap).
#   scripts/draw_cost.sh [benchmark-regex] [build-dir]   (default drawFrame/400/300/0)
# Needs valgrind. Frames are counted as the difference of a 6-frame and a 1-frame run, after
# a first run that fills Mesa's shader cache, so shader compiling is left out.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FILTER=${1:-drawFrame/400/300/0}
BUILD=${2:-$ROOT/build}
BENCH=$BUILD/bench/wibz_bench
[ -x "$BENCH" ] || { echo "missing $BENCH: build first (scripts/setup.sh $BUILD)"; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is needed: apt-get install valgrind"; exit 1; }

# instructions REPETITIONS: instructions counted inside the drawn frame over that many frames.
instructions() {
    (cd "$BUILD/data" && LP_NUM_THREADS=0 "$ROOT/tests/run_in_xvfb.sh" valgrind \
        --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect='benchDrawnFrame*' \
        "$BENCH" --benchmark_filter="$FILTER" --benchmark_min_time=0.01 \
        --benchmark_repetitions="$1" 2>&1) |
        awk '/I +refs:/ { gsub(",", "", $NF); print $NF }'
}

instructions 1 >/dev/null
one=$(instructions 1)
six=$(instructions 6)
[ -n "$one" ] && [ -n "$six" ] || { echo "callgrind gave no count"; exit 1; }
echo "$FILTER: $(((six - one) / 5 / 1000)) thousand instructions per drawn frame"
