#!/usr/bin/env bash
# fuzz.sh [SECONDS] -- builds the model reader's libFuzzer target with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in build-fuzz, then fuzzes it for SECONDS (default 60),
# seeded with the game's generated models. Fails when the fuzzer finds a crash, a leak or a
# hang; the input that did it is kept under build-fuzz/findings/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUN_SECONDS=${1:-60}
BUILD="$ROOT/build-fuzz"

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DWIBZ_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# Only the reader, the fuzz target and the data for its seeds.
cmake --build "$BUILD" -j "$(nproc)" --target fuzz_model_reader wibz_assets 2>&1 |
    { grep -v '^\[ *[0-9]*%\]' || true; }

CORPUS="$BUILD/corpus"
FINDINGS="$BUILD/findings"
mkdir -p "$CORPUS" "$FINDINGS"
# The reader's message boxes go to standard error; -close_fd_mask=2 keeps them out of the
# log while libFuzzer's own lines still show.
LOG="$BUILD/fuzz.log"
set +e
"$BUILD/tests/fuzz/fuzz_model_reader" -max_total_time="$RUN_SECONDS" -close_fd_mask=2 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$FINDINGS/" \
    "$CORPUS" "$BUILD/data/models" >"$LOG" 2>&1
STATUS=$?
set -e
grep -E 'INITED|DONE|number_of_executed_units|new_units_added|ERROR|SUMMARY|Test unit written' \
    "$LOG" || true
if [ "$STATUS" != "0" ]; then
    echo "The fuzzer found a problem (status $STATUS); see $LOG and $FINDINGS"
    exit 1
fi
echo "Fuzzed the model reader for $RUN_SECONDS s without a finding."
