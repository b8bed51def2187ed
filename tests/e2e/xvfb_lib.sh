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
    [ -n "$GAME_STATUS_DIR" ] && rm -rf "$GAME_STATUS_DIR"
    return 0
}

# start_game BINARY WORKDIR OUTFILE: runs the game in WORKDIR, stdout to OUTFILE. A keeper
# shell waits for it and writes its exit status to a file, since wait_for_exit is called in
# a command substitution, whose subshell cannot wait for a process it did not start.
GAME_STATUS_DIR=""
start_game() {
    [ -n "$GAME_STATUS_DIR" ] || GAME_STATUS_DIR=$(mktemp -d)
    local pidfile="$GAME_STATUS_DIR/starting"
    rm -f "$pidfile"
    (
        cd "$2" || exit 1
        "$1" >"$3" 2>"$3.err" &
        local pid=$!
        echo "$pid" >"$pidfile"
        wait "$pid"
        echo $? >"$GAME_STATUS_DIR/$pid.tmp"
        mv "$GAME_STATUS_DIR/$pid.tmp" "$GAME_STATUS_DIR/$pid"
    ) &
    for _ in $(seq 200); do
        [ -s "$pidfile" ] && break
        sleep 0.01
    done
    GAME_PID=$(cat "$pidfile")
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

# wait_for_exit PID SECONDS: prints the exit status of a game started by start_game, or
# "timeout".
wait_for_exit() {
    local tries=$(($2 * 10))
    for _ in $(seq "$tries"); do
        if [ -s "$GAME_STATUS_DIR/$1" ]; then
            cat "$GAME_STATUS_DIR/$1"
            return 0
        fi
        sleep 0.1
    done
    echo timeout
}

fail() {
    echo "FAIL: $*"
    stop_all
    exit 1
}
