# xvfb_lib.sh -- shared by the end-to-end tests: a private Xvfb, the game started in it,
# and small waits. Source it; call start_xvfb first and stop_all on exit.

XVFB_PID=""
GAME_PID=""

# These X sessions have no D-Bus session bus. Without an address, libdbus (asked by SDL as
# the pads start) forks dbus-launch from the game's pad thread, and under AddressSanitizer
# the child can hang for good on the sanitizer's allocator lock, copied held from another
# thread. An address with nothing behind it is refused at once, as on a desktop whose bus
# is down.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/wibz3d-bus}

start_xvfb() {
    local attempt
    for attempt in 1 2 3; do
        launch_xvfb && return 0
        echo "Xvfb did not answer on $DISPLAY (attempt $attempt)" >&2
        stop_all
    done
    return 1
}

# Whether the X server answers a client: xdpyinfo where it is installed, else xdotool (all
# that ./play installs without a display).
display_answers() {
    if command -v xdpyinfo >/dev/null; then
        xdpyinfo >/dev/null 2>&1
    else
        xdotool getdisplaygeometry >/dev/null 2>&1
    fi
}

# One Xvfb, ready when it answers a client. It must not reset when its last client leaves:
# while it resets it refuses connections, and a game started just after a probe such as
# xdpyinfo failed to open the display. With XVFB_FBDIR set, the screen is also kept as an
# XWD file in that folder (Xvfb_screen0), for a screenshot without xwd.
launch_xvfb() {
    local fdfile fbdir=()
    fdfile=$(mktemp)
    [ -n "${XVFB_FBDIR:-}" ] && fbdir=(-fbdir "$XVFB_FBDIR")
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset "${fbdir[@]}" 3>"$fdfile" \
        2>/dev/null &
    XVFB_PID=$!
    # A whole line: the number is complete.
    for _ in $(seq 100); do
        [ "$(wc -l <"$fdfile")" -ge 1 ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    [ "$DISPLAY" != ":" ] || return 1
    for _ in $(seq 50); do
        display_answers && return 0
        sleep 0.1
    done
    return 1
}

stop_all() {
    if [ -n "$GAME_PID" ]; then
        kill "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
        GAME_PID=""
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
    return 0
}

# start_game BINARY WORKDIR OUTFILE [ARGS...]: runs the game in WORKDIR, stdout to OUTFILE.
start_game() {
    local bin=$1 dir=$2 out=$3
    shift 3
    (cd "$dir" && exec "$bin" "$@" >"$out" 2>"$out.err") &
    GAME_PID=$!
}

# quit_game WID: Escape in the game's window; sets EXIT_STATUS.
quit_game() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --clearmodifiers Escape
    wait_for_exit "$GAME_PID" 10
    GAME_PID=""
}

# play_and_quit BINARY WORKDIR [ARGS...]: the game must open its window, load all thirteen
# textures, report a frame and end with status 0 on Escape; the test fails otherwise.
# Sets WINDOW_SIZE (WxH) as the window was.
WINDOW_SIZE=""
play_and_quit() {
    local out wid
    out=$(mktemp)
    start_game "$1" "$2" "$out" "${@:3}"
    wid=$(wait_for_window) || fail "no window from $* in $2: $(cat "$out.err")"
    wait_for_text "$out" "curTime " 20 || fail "no frame-timer line from $*: $(cat "$out")"
    [ "$(grep -c "^Loaded 'tex/[A-Za-z]*\.[a-z]*' ok" "$out")" = 13 ] ||
        fail "not 13 textures loaded by $* in $2: $(cat "$out" "$out.err")"
    WINDOW_SIZE=$(xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    quit_game "$wid"
    [ "$EXIT_STATUS" = 0 ] || fail "Escape gave exit status $EXIT_STATUS ($*)"
    rm -f "$out" "$out.err"
}

# wait_for_window [TITLE]: the id of the window titled TITLE (the game's by default),
# waiting up to 20 s for it to be mapped.
wait_for_window() {
    local wid="" title=${1:-Wibz3D}
    for _ in $(seq 200); do
        wid=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1)
        [ -n "$wid" ] && { echo "$wid"; return 0; }
        sleep 0.1
    done
    return 1
}

# wait_for_text FILE TEXT SECONDS
wait_for_text() {
    local tries=$(($3 * 10))
    for _ in $(seq "$tries"); do
        grep -qF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# wait_for_file FILE: up to 20 s for FILE to be there.
wait_for_file() {
    for _ in $(seq 200); do
        [ -e "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# wait_for_exit PID SECONDS: waits for the game (a child of this shell) and sets
# EXIT_STATUS; after SECONDS it is killed, giving 137.
EXIT_STATUS=""
wait_for_exit() {
    local tries=$(($2 * 20))
    for _ in $(seq "$tries"); do
        # An exited child stays a zombie until waited for, so look at its state.
        local state
        state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null || echo gone)
        [ "$state" = "Z" ] || [ "$state" = "gone" ] && break
        sleep 0.05
    done
    [ "$state" = "Z" ] || [ "$state" = "gone" ] || show_stuck "$1"
    kill -9 "$1" 2>/dev/null || true
    EXIT_STATUS=0
    wait "$1" || EXIT_STATUS=$?
    return 0
}

# show_stuck PID: what a game that did not end in time was doing, for the failure's report.
show_stuck() {
    echo "the game (pid $1) had not ended; its threads:" >&2
    if command -v gdb >/dev/null; then
        timeout 60 gdb -p "$1" -batch -nx -ex "thread apply all bt" 2>&1 | grep -E '^(#|Thread)' >&2
    else
        ls -l "/proc/$1/task" >&2
    fi
}

# keeping_manifest BUILD COMMAND...: runs COMMAND (an install or cpack), then puts back the
# build's install_manifest.txt, a developer's record of their own install for uninstalling.
keeping_manifest() {
    local manifest="$1/install_manifest.txt" kept status
    kept=$(mktemp -d)
    shift
    [ -f "$manifest" ] && cp "$manifest" "$kept/"
    "$@"
    status=$?
    if [ -f "$kept/install_manifest.txt" ]; then
        mv "$kept/install_manifest.txt" "$manifest"
    else
        rm -f "$manifest"
    fi
    rm -rf "$kept"
    return $status
}

fail() {
    echo "FAIL: $*"
    stop_all
    exit 1
}
