#!/usr/bin/env bash
# soak.sh -- an endurance run of the real game under a private Xvfb: random key presses for
# SECONDS (reproducible from SOAK_SEED), the frame-rate reports and the heap in use watched
# all along. Fails on heap in use that grows with time, an early exit or crash, a sanitizer
# report (in a sanitizer build also a leak found at exit), a collapsing frame rate, or an
# Escape at the end that does not end the game with status 0.
#   scripts/soak.sh [seconds] [build-dir]     (seconds default 600, build-dir default ./build)
# SOAK_SEED=n repeats a run's key sequence; SOAK_KEEP=1 keeps the game's output, the logs of
# keys and heap samples and a picture of the game after each window, as a failed run does;
# SOAK_MAX_GROWTH_KIB sets the heap growth allowed (default 64, see WINDOW_SECONDS).
set -euo pipefail
export LC_ALL=C # EPOCHREALTIME and awk with a decimal point
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUN_SECONDS=${1:-600}
BUILD=${2:-$ROOT/build}
PROBE=bench/libwibz_heap_probe.so # preloaded into the game: its heap in use, frame by frame
if [ ! -x "$BUILD/src/wibz3d" ] || [ ! -d "$BUILD/data/models" ] || [ ! -f "$BUILD/$PROBE" ]; then
    echo "missing $BUILD/src/wibz3d, $BUILD/data or $BUILD/$PROBE: build first (scripts/setup.sh $BUILD)"
    exit 1
fi
BUILD=$(cd "$BUILD" && pwd) # the game runs in its data folder
GAME=$BUILD/src/wibz3d
DATA=$BUILD/data
PROBE=$BUILD/$PROBE
[ "$RUN_SECONDS" -ge 10 ] 2>/dev/null || { echo "a run needs at least 10 s"; exit 1; }

# The run is reported in windows of a tenth of it, at least 6 s and at most a minute. The
# first holds the warm-up, where Mesa compiles the drawing code of every state met the first
# time, and is left out. Each later window gives the least heap in use (the level the game
# comes back to as a frame begins), and its floor is the least of it and every window after
# it: what the game never went below again. A leak raises the floor in window after window;
# a high-water mark (a vector that grew once, more stones alive than ever before) raises it
# once, by any amount. So the floor's rise over the run, less its two largest steps, may be
# at most MAX_GROWTH_KIB. Two, because besides one high-water step Mesa keeps 1 MiB more
# after about one F3 rebuild in ten until the next rebuild (a new buffer for the display
# lists, by the look of it), which stays in the floor when it comes with the last rebuild.
# A leak of 256 bytes a frame adds 15 KiB a 6 s window even at 10 frames a second, six
# windows of it 90 KiB; an F3 that kept the models read before adds about 150 KiB a rebuild,
# and a minute holds five rebuilds after its first window (see F3_SPACING_MS).
WINDOW_SECONDS=$((RUN_SECONDS / 10))
[ "$WINDOW_SECONDS" -ge 6 ] || WINDOW_SECONDS=6
[ "$WINDOW_SECONDS" -le 60 ] || WINDOW_SECONDS=60
MAX_GROWTH_KIB=${SOAK_MAX_GROWTH_KIB:-64}
# The game paces itself to 100 frames a second. Work that piles up (objects, display lists)
# slows every later frame and keeps falling. The modes change the cost too: wire-frame
# drawing (F3) alone takes it to about 57 on two cores with Mesa's software renderer, so a
# window has collapsed only under a third of the first window's median (see close_window).
COLLAPSE_PERCENT=33
# F3 reads every model file again and rebuilds the display lists: every 5 to 10 s, so the
# 54 s after a minute's first window hold at least five rebuilds.
F3_SPACING_MS=5000

# The sanitizer build checks for unreachable blocks at exit. The system libraries (Mesa's
# driver, D-Bus, SDL) keep blocks of their own to the end, which lsan_system_libraries.supp
# names; dlclose is kept from unloading them (tests/e2e/keep_libraries.cpp), or their
# frames would show as an unknown module. ASan's quarantine of freed blocks (256 MiB) swells
# the resident memory, not the heap in use.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
SUPPRESSIONS=$ROOT/tests/e2e/lsan_system_libraries.supp
export LSAN_OPTIONS=suppressions=$SUPPRESSIONS${LSAN_OPTIONS:+:$LSAN_OPTIONS}
KEEP_LIBRARIES=$BUILD/tests/libwibz_keep_libraries.so
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
SANITIZER_REPORT='ERROR: (Address|Leak|Memory|Thread)Sanitizer|WARNING: ThreadSanitizer|runtime error:'

SEED=${SOAK_SEED:-$(((${EPOCHREALTIME/./} + $$) % 1000000))}
RANDOM=$SEED
echo "soak: $RUN_SECONDS s of $GAME, seed $SEED (repeat with SOAK_SEED=$SEED)"
echo "soak: ASAN_OPTIONS=$ASAN_OPTIONS LSAN_OPTIONS=$LSAN_OPTIONS UBSAN_OPTIONS=$UBSAN_OPTIONS"

# shellcheck source=tests/e2e/xvfb_lib.sh
. "$ROOT/tests/e2e/xvfb_lib.sh"
WORK=$(mktemp -d)
KEEP_WORK=${SOAK_KEEP:+yes}
cleanup() {
    stop_all
    if [ "${KEEP_WORK:-no}" = yes ]; then
        echo "soak: the game's output is kept in $WORK"
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT
OUT=$WORK/stdout.txt
ERR=$OUT.err
FPS_VALUES=$WORK/fps.txt
# Every key sent, by milliseconds into the run; the heap samples, "EPOCH_MS BYTES".
EVENTS=$WORK/events.txt
HEAP_LOG=$WORK/heap.txt
: >"$FPS_VALUES"
: >"$EVENTS"
FAILURES=()

now_ms() { NOW_MS=$((${EPOCHREALTIME/./} / 1000)); }

# Sets RSS_KIB (reported, not judged) from the game's VmRSS; false once the process is gone.
# The file is taken in one read: read line by line, each line would come from a newer copy
# of it, whose earlier lines may have changed length, and VmRSS could be missed.
read_rss() {
    local status=""
    read -r -d '' status 2>/dev/null <"/proc/$GAME_PID/status" || true
    [[ $status =~ VmRSS:[[:space:]]+([0-9]+) ]] || return 1
    RSS_KIB=${BASH_REMATCH[1]}
}

# True while the game runs; an exited child stays a zombie until waited for.
game_alive() {
    local state
    read -r _ _ state _ 2>/dev/null <"/proc/$GAME_PID/stat" || return 1
    [ "$state" != Z ]
}

# Exit status as a word: "status N" or "signal NAME".
describe_status() {
    if [ "$1" -gt 128 ]; then
        echo "signal $(kill -l $(($1 - 128)) 2>/dev/null || echo $(($1 - 128))) (status $1)"
    else
        echo "status $1"
    fi
}

stderr_tail() {
    echo "-- the game's standard error, last lines:"
    tail -n 25 "$ERR" | sed 's/^/   /'
}

# One xdotool call per action. Arrow keys are held for 0.05-1.2 s, sometimes two at once
# (moving while circling); the other keys are tapped.
PRESSES=0
declare -A KEY_COUNT=()
NEXT_F3_MS=0
count_keys() {
    local k
    for k in "$@"; do KEY_COUNT[$k]=$((${KEY_COUNT[$k]:-0} + 1)); done
    PRESSES=$((PRESSES + $#))
    now_ms
    echo "$((NOW_MS - T0_MS)) key $*" >>"$EVENTS"
}
press() {
    count_keys "$@"
    xdotool key --delay 0 "$@" 2>/dev/null || true
}
hold() {
    local hold_ms=$((50 + RANDOM % 1150)) seconds
    count_keys "$@"
    printf -v seconds '%d.%03d' $((hold_ms / 1000)) $((hold_ms % 1000))
    xdotool keydown --delay 0 "$@" sleep "$seconds" keyup --delay 0 "$@" 2>/dev/null || true
}
ARROWS=(Up Down Left Right)
MODE_KEYS=(c r x g n)
# Keys the game has no action for: they must change nothing and break nothing.
IDLE_KEYS=(a 1 2 3 4)
press_f3() {
    press F3
    NEXT_F3_MS=$((NOW_MS + F3_SPACING_MS + RANDOM % F3_SPACING_MS))
}
random_action() {
    local roll=$((RANDOM % 97))
    if [ "$NOW_MS" -ge "$NEXT_F3_MS" ]; then
        press_f3
    elif [ "$roll" -lt 28 ]; then
        hold "${ARROWS[RANDOM % 4]}"
    elif [ "$roll" -lt 34 ]; then
        hold "${ARROWS[RANDOM % 2]}" "${ARROWS[2 + RANDOM % 2]}"
    elif [ "$roll" -lt 48 ]; then
        press space
    elif [ "$roll" -lt 56 ]; then
        press d
    elif [ "$roll" -lt 62 ]; then
        press f
    elif [ "$roll" -lt 68 ]; then
        press s
    elif [ "$roll" -lt 83 ]; then
        press "${MODE_KEYS[RANDOM % 5]}"
    elif [ "$roll" -lt 86 ]; then
        press l
    elif [ "$roll" -lt 89 ]; then
        press L
    elif [ "$roll" -lt 92 ]; then
        press F2
    elif [ "$roll" -lt 95 ]; then
        press F8
    else
        press "${IDLE_KEYS[RANDOM % 5]}"
    fi
}

# First every key once, F3 six times: what a key costs the first time (Mesa compiling the
# drawing code for a new state, wire-frame lists) lands in the first window, before the
# heap's baseline.
WARM_UP=(F3 F8 l L space d f s c r x g n F2 F3 F8 F3 F3 F3 F3 F2 a Up Down Left Right)
WARM_UP_NEXT=0
warm_up_action() {
    case $1 in
    Up | Down | Left | Right) hold "$1" ;;
    F3) press_f3 ;;
    *) press "$1" ;;
    esac
}

# The FPS reports so far, one number a line. The first report counts the single frame that
# opens the timer's first window, so it is left out.
collect_fps() {
    grep -o 'FPS [0-9.]*' "$OUT" | awk 'NR > 1 { print $2 + 0 }' >"$FPS_VALUES" || true
}

# count min median max sum of numbers on standard input ("0" when there are none).
stats() {
    sort -g | awk '{ v[NR] = $1; sum += $1 } END {
        if (NR == 0) { print 0; exit }
        printf "%d %g %g %g %d\n", NR, v[1], v[int((NR + 1) / 2)], v[NR], sum }'
}

# Sets TICKS to the user and system time of all of process $1's threads so far.
read_ticks() {
    local -a stat
    read -ra stat 2>/dev/null <"/proc/$1/stat" || return 1
    TICKS=$((stat[13] + stat[14]))
}
# Sets BUSY_TICKS to the time all cores have been busy so far; steal is time the host took.
read_busy_ticks() {
    local user nice system irq softirq steal
    read -r _ user nice system _ _ irq softirq steal _ </proc/stat
    BUSY_TICKS=$((user + nice + system + irq + softirq + steal))
}
CLK_TCK=$(getconf CLK_TCK)

# One window's report line, and the frame-rate check against the first window. The frame
# rate has collapsed when a window's median is under a third of the first window's while
# other programs used less than half a core: a busy machine (another build or test beside
# this one) takes frames away without any fault of the game, and is only noted.
WINDOW_START_S=0
WINDOW_START_MS=0
HEAP_LEVELS=""
REPORTS_SEEN=0
GAME_TICKS=0
XVFB_TICKS=0
BUSY_TICKS=0
FIRST_MEDIAN=""
OTHERS_LIMIT_PERCENT=50 # of one core
close_window() {
    local end_s=$1 count min median max game_percent others_percent
    local game_before=$GAME_TICKS xvfb_before=$XVFB_TICKS busy_before=$BUSY_TICKS
    local ms_before=$WINDOW_START_MS
    collect_fps
    read -r count min median max _ < <(tail -n +$((REPORTS_SEEN + 1)) "$FPS_VALUES" | stats)
    REPORTS_SEEN=$((REPORTS_SEEN + count))
    read_rss || true
    sample_cpu
    local window="${WINDOW_START_S}-${end_s} s"
    local heap_kib
    heap_kib=$(least_heap_kib "$ms_before" "$WINDOW_START_MS")
    [ -n "$heap_kib" ] || { FAILURES+=("no heap sample in $window"); heap_kib=0; }
    HEAP_LEVELS+=" $heap_kib"
    # What the game showed at the end of the window, for a run that is kept.
    xwd -id "$WID" -silent 2>/dev/null | convert xwd:- "$WORK/screen-${end_s}s.png" 2>/dev/null || true
    WINDOW_START_S=$end_s
    local per_tick=$((100000 / CLK_TCK)) window_ms=$((WINDOW_START_MS - ms_before))
    game_percent=$(((GAME_TICKS - game_before) * per_tick / window_ms))
    others_percent=$(((BUSY_TICKS - busy_before - (GAME_TICKS - game_before) -
        (XVFB_TICKS - xvfb_before)) * per_tick / window_ms))
    # The counters tick at different moments; an idle machine can come out a little below 0.
    [ "$others_percent" -ge 0 ] || others_percent=0
    if [ "$count" -eq 0 ]; then
        echo "soak: $window: no frame-rate report; heap in use at least $heap_kib KiB, RSS $RSS_KIB KiB"
        # A short last window may close before the next report is due.
        [ "$window_ms" -lt 3000 ] || FAILURES+=("no frame-rate report in $window")
        return 0
    fi
    echo "soak: $window: $count reports, fps min $min median $median max $max;" \
        "CPU: game $game_percent %, others $others_percent % of a core;" \
        "heap in use at least $heap_kib KiB, RSS $RSS_KIB KiB"
    if [ -z "$FIRST_MEDIAN" ]; then
        FIRST_MEDIAN=$median
        return 0
    fi
    awk -v m="$median" -v f="$FIRST_MEDIAN" -v p="$COLLAPSE_PERCENT" \
        'BEGIN { exit !(m * 100 < f * p) }' || return 0
    if [ "$others_percent" -lt "$OTHERS_LIMIT_PERCENT" ]; then
        FAILURES+=("frame rate collapsed in $window: median $median, first window's $FIRST_MEDIAN")
    else
        echo "soak: note: the frame rate fell in $window while other programs were busy"
    fi
}

# CPU time so far of the game, of the X server and of the whole machine.
sample_cpu() {
    now_ms
    WINDOW_START_MS=$NOW_MS
    read_ticks "$GAME_PID" && GAME_TICKS=$TICKS
    read_ticks "$XVFB_PID" && XVFB_TICKS=$TICKS
    read_busy_ticks
}

# The least heap in use, in KiB, among the probe's samples from $1 to $2 (epoch ms).
least_heap_kib() {
    awk -v from="$1" -v to="$2" '$1 >= from && $1 < to && (least == "" || $2 < least) {
        least = $2 } END { if (least != "") printf "%d\n", least / 1024 }' "$HEAP_LOG"
}

# The game died on its own: its status, its standard error, and out.
died_early() {
    local at_s=$1 status
    wait_for_exit "$GAME_PID" 5
    status=$EXIT_STATUS
    GAME_PID=""
    echo "FAIL: the game ended after $at_s of $RUN_SECONDS s with $(describe_status "$status")"
    grep -E "$SANITIZER_REPORT" "$ERR" | head -n 3 | sed 's/^/FAIL: sanitizer: /' || true
    stderr_tail
    KEEP_WORK=yes
    exit 1
}

# The probe goes into the game alone, with the library keeper in a sanitizer build. A
# sanitizer runtime linked as a library must be the first one loaded, so it comes first.
SANITIZER_RUNTIME=$(ldd "$GAME" | awk '$1 ~ /^libasan/ { print $3 }')
[ -n "$SANITIZER_RUNTIME" ] && [ -f "$KEEP_LIBRARIES" ] || KEEP_LIBRARIES=""
start_xvfb
PRELOAD="${SANITIZER_RUNTIME:+$SANITIZER_RUNTIME }$PROBE${KEEP_LIBRARIES:+ $KEEP_LIBRARIES}"
LD_PRELOAD=$PRELOAD WIBZ_HEAP_LOG=$HEAP_LOG start_game "$GAME" "$DATA" "$OUT"
WID=$(wait_for_window) || { echo "FAIL: no game window"; stderr_tail; KEEP_WORK=yes; exit 1; }
xdotool windowfocus --sync "$WID" 2>/dev/null || true
wait_for_text "$OUT" "curTime" 20 || { echo "FAIL: no frame drawn"; stderr_tail; KEEP_WORK=yes; exit 1; }
read_rss
sample_cpu
START_RSS=$RSS_KIB
MAX_RSS=$RSS_KIB
echo "soak: RSS at start $START_RSS KiB; windows of $WINDOW_SECONDS s"

now_ms
T0_MS=$NOW_MS
echo "$T0_MS epoch ms at 0" >>"$EVENTS"
NEXT_SAMPLE_MS=$T0_MS
ELAPSED_S=0
while [ "$ELAPSED_S" -lt "$RUN_SECONDS" ]; do
    if [ "$WARM_UP_NEXT" -lt "${#WARM_UP[@]}" ]; then
        warm_up_action "${WARM_UP[WARM_UP_NEXT]}"
        WARM_UP_NEXT=$((WARM_UP_NEXT + 1))
        PAUSE_S=0.150
    else
        random_action
        # A pause of 50-400 ms between actions: a few presses a second.
        printf -v PAUSE_S '0.%03d' $((50 + RANDOM % 350))
    fi
    sleep "$PAUSE_S"
    now_ms
    ELAPSED_S=$(((NOW_MS - T0_MS) / 1000))
    game_alive || died_early "$ELAPSED_S"
    if [ "$NOW_MS" -ge "$NEXT_SAMPLE_MS" ]; then
        NEXT_SAMPLE_MS=$((NOW_MS + 1000))
        read_rss || died_early "$ELAPSED_S"
        [ "$RSS_KIB" -le "$MAX_RSS" ] || MAX_RSS=$RSS_KIB
    fi
    if [ "$ELAPSED_S" -ge $((WINDOW_START_S + WINDOW_SECONDS)) ] &&
        [ "$ELAPSED_S" -lt "$RUN_SECONDS" ]; then
        close_window $((WINDOW_START_S + WINDOW_SECONDS))
    fi
done

game_alive || died_early "$ELAPSED_S"
read_rss || died_early "$ELAPSED_S"
END_RSS=$RSS_KIB
[ "$END_RSS" -le "$MAX_RSS" ] || MAX_RSS=$END_RSS
close_window "$ELAPSED_S"
collect_fps
read -r FPS_COUNT FPS_MIN FPS_MEDIAN FPS_MAX FPS_FRAMES < <(stats <"$FPS_VALUES")

# Escape ends the game; a clean status 0 also shows it still answered keys at the end.
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool key --delay 0 Escape 2>/dev/null || true
wait_for_exit "$GAME_PID" 10
ESC_STATUS=$EXIT_STATUS
GAME_PID=""

# The floors of the windows after the first (the last closed at the end of the run): the
# floor's rise, its two largest steps, and the rise less those, in KiB.
read -r FLOORS_KIB RISE_KIB STEP1_KIB STEP2_KIB GROWTH_KIB < <(echo "${HEAP_LEVELS# * }" | awk '{
    for (i = NF; i >= 1; --i) { if (i == NF || $i < low) low = $i; floor[i] = low }
    for (i = 2; i <= NF; ++i) {
        step = floor[i] - floor[i - 1]
        if (step > first) { second = first; first = step } else if (step > second) second = step
    }
    list = floor[1]; for (i = 2; i <= NF; ++i) list = list "," floor[i]
    rise = floor[NF] - floor[1]
    printf "%s %d %d %d %d\n", list, rise, first, second, rise - first - second }')
echo "soak: heap in use, the least in each window (KiB):$HEAP_LEVELS; floors after the first" \
    "window: ${FLOORS_KIB//,/ }; rise $RISE_KIB KiB, less its largest steps ($STEP1_KIB," \
    "$STEP2_KIB): $GROWTH_KIB KiB (limit $MAX_GROWTH_KIB)"
echo "soak: RSS (not judged) start $START_RSS KiB, end $END_RSS KiB, max $MAX_RSS KiB"
echo "soak: frame-rate reports $FPS_COUNT ($FPS_FRAMES frames), fps min $FPS_MIN median $FPS_MEDIAN max $FPS_MAX"
KEYS_LINE=""
for k in $(printf '%s\n' "${!KEY_COUNT[@]}" | sort); do KEYS_LINE+=" $k:${KEY_COUNT[$k]}"; done
echo "soak: $PRESSES key presses sent:$KEYS_LINE"
echo "soak: Escape gave $(describe_status "$ESC_STATUS")"

if [ "$GROWTH_KIB" -gt "$MAX_GROWTH_KIB" ]; then
    FAILURES+=("heap in use grew with time: the floor rose $RISE_KIB KiB, $GROWTH_KIB KiB of it \
besides its two largest steps (limit $MAX_GROWTH_KIB)")
fi
[ "$ESC_STATUS" = 0 ] || FAILURES+=("Escape at the end gave $(describe_status "$ESC_STATUS")")
if grep -qE "$SANITIZER_REPORT" "$ERR"; then
    FAILURES+=("sanitizer report: $(grep -m1 -E "$SANITIZER_REPORT" "$ERR")")
fi
if [ "${#FAILURES[@]}" -gt 0 ]; then
    printf 'FAIL: %s\n' "${FAILURES[@]}"
    # A leak's allocation, from the first report: the game's frames name the line.
    grep -m1 -A10 -E '^(Direct|Indirect) leak' "$ERR" | sed 's/^/   /' || true
    stderr_tail
    KEEP_WORK=yes
    exit 1
fi
echo "PASS: $RUN_SECONDS s, $PRESSES presses, heap growth $GROWTH_KIB KiB, fps median $FPS_MEDIAN, Escape -> 0"
