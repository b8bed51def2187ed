# xvfb_lib.sh -- shared by the end-to-end tests: a private Xvfb, the game started in it,
# and small waits. Source it; call start_xvfb first and stop_all on exit.

XVFB_PID=""
GAME_PID=""

start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start"; return 1; }
}

stop_all() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}

# start_game BINARY WORKDIR OUTFILE: runs the game in WORKDIR, stdout to OUTFILE.
start_game() {
    (cd "$2" && exec "$1" >"$3" 2>"$3.err") &
    GAME_PID=$!
}

# The game's window id, waiting up to 20 s for it to be mapped.
wait_for_window() {
    local wid=""
    for _ in $(seq 200); do
        wid=$(xdotool search --onlyvisible --name '^Wibz3D$' 2>/dev/null | head -n1)
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

# wait_for_exit PID SECONDS: sets EXIT_STATUS to the exit status, or "timeout", and prints
# it. Call it in the shell that started the process, not inside $(...): a subshell cannot
# wait for its parent's child and would report -1 while the process is still ending.
EXIT_STATUS=""
wait_for_exit() {
    local tries=$(($2 * 10))
    EXIT_STATUS=timeout
    for _ in $(seq "$tries"); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            EXIT_STATUS=$?
            break
        fi
        sleep 0.1
    done
    echo "$EXIT_STATUS"
}

fail() {
    echo "FAIL: $*"
    stop_all
    exit 1
}
