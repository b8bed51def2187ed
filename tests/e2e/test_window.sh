#!/usr/bin/env bash
# The real game in a real X window: title and size, the frame-timer line at the paced
# rate, SDL loaded for the gamepads (not with --no-gamepad) and silent with no pad, and
# Escape ending it with status 0, also at once while the pads' start and the sound device's
# wait on a desktop bus and a sound server that never answer.
set -u
BIN=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap stop_all EXIT

WORK=$(mktemp -d)
OUT="$WORK/stdout.txt"
# Empty data folders: the game starts without its models and images, so the pace measured
# is the pacer's, not the software renderer's on a busy machine (the soak plays the full game).
mkdir "$WORK/tex" "$WORK/models"
start_xvfb || fail "no Xvfb"
start_game "$BIN" "$WORK" "$OUT"
WID=$(wait_for_window) || fail "no window titled Wibz3D"

INFO=$(xwininfo -id "$WID")
echo "$INFO" | grep -q 'xwininfo: Window id: .* "Wibz3D"' || fail "title: $INFO"
echo "$INFO" | grep -q 'Width: 400$' || fail "width: $INFO"
echo "$INFO" | grep -q 'Height: 300$' || fail "height: $INFO"

# Five full report windows after the first (which closes at once with 1 frame): waited
# for as the game prints them, up to a minute, for a busy machine may start the game late.
for _ in $(seq 600); do
    [ "$(grep -o 'FPS [0-9.]*' "$OUT" | wc -l)" -ge 6 ] && break
    sleep 0.1
done
REPORTS=$(grep -o 'FPS [0-9.]*' "$OUT" | head -n 6 | awk '{print $2}')
COUNT=$(echo "$REPORTS" | wc -l)
[ "$COUNT" -ge 6 ] || fail "expected 6+ timer lines in a minute, got $COUNT: $(cat "$OUT")"
grep -q '^curTime [0-9]*\.[0-9]\{5\}, lastTime [0-9]*\.[0-9]\{5\}, FrameInterval 0\.0[0-9]\{4\}, FPS [0-9]*\.00000$' "$OUT" \
    || fail "timer line format: $(cat "$OUT")"
# The windows after the first count about 100 paced frames: none more than 102 (a pacer
# running fast), and a median of at least 90. One window may fall short when another
# program takes the CPU for a moment; that is the machine, not the pacer.
echo "$REPORTS" | tail -n +2 | sort -n | awk '{ f[NR] = $1 } END {
    exit !(f[NR] <= 102 && f[int((NR + 1) / 2)] >= 90) }' \
    || fail "frame rate off the 100 per second pace: $(echo $REPORTS)"

# SDL is loaded once the first frame is drawn; with no pad it has nothing to say.
grep -q 'libSDL2' "/proc/$GAME_PID/maps" || fail "SDL is not loaded for the gamepads"
grep -i 'gamepad' "$OUT" "$OUT.err" && fail "a gamepad line with no pad"

quit_game "$WID"
[ "$EXIT_STATUS" = "0" ] || fail "Escape gave exit status $EXIT_STATUS"

start_game "$BIN" "$WORK" "$OUT" --no-gamepad
WID=$(wait_for_window) || fail "no window with --no-gamepad"
wait_for_text "$OUT" "curTime " 20 || fail "no frame-timer line with --no-gamepad: $(cat "$OUT")"
grep -q 'libSDL2' "/proc/$GAME_PID/maps" && fail "SDL loaded with --no-gamepad"
quit_game "$WID"
[ "$EXIT_STATUS" = "0" ] || fail "Escape gave exit status $EXIT_STATUS with --no-gamepad"
# A session bus that takes SDL's connection and never answers holds the pads' start for
# good, and a sound server that does the same holds the sound device's opening for libpulse's
# 30 s: Escape still ends the game at once, with status 0, without its pads or its sound.
silent_server() {
    python3 - "$1" <<'EOF' &
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(4)
open(sys.argv[1] + ".open", "a").close()
held = []
while True:
    held.append(server.accept()[0])
    open(sys.argv[1] + ".taken", "a").close()
EOF
}
BUS="$WORK/silent-bus"
PULSE="$WORK/silent-pulse"
silent_server "$BUS"
BUS_PID=$!
silent_server "$PULSE"
PULSE_PID=$!
trap 'kill "$BUS_PID" "$PULSE_PID"; stop_all' EXIT
wait_for_file "$BUS.open" && wait_for_file "$PULSE.open" || fail "the silent servers did not open"
DBUS_SESSION_BUS_ADDRESS="unix:path=$BUS" PULSE_SERVER="unix:$PULSE" start_game "$BIN" "$WORK" "$OUT"
WID=$(wait_for_window) || fail "no window with silent servers"
wait_for_file "$BUS.taken" || fail "the pads' start never asked the bus"
wait_for_file "$PULSE.taken" || fail "the sound's start never asked the sound server"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
# Timed from sending the key to the game's end, with the shell's own clock and /proc.
ESCAPED=${EPOCHREALTIME/./}
xdotool key --clearmodifiers Escape
STATE=""
while [ -r "/proc/$GAME_PID/stat" ]; do
    read -r _ _ STATE _ <"/proc/$GAME_PID/stat" || break
    [ "$STATE" = Z ] && break
    [ $((${EPOCHREALTIME/./} - ESCAPED)) -lt 10000000 ] || break
done
ENDED_MS=$(((${EPOCHREALTIME/./} - ESCAPED) / 1000))
wait_for_exit "$GAME_PID" 1
GAME_PID=""
[ "$EXIT_STATUS" = "0" ] || fail "Escape gave exit status $EXIT_STATUS with the starts held"
[ "$ENDED_MS" -lt 1000 ] || fail "Escape took $ENDED_MS ms to end the game with the starts held"
echo "PASS: window 400x300 \"Wibz3D\", fps $(echo $REPORTS | tr '\n' ' '), SDL loaded" \
    "silently (not with --no-gamepad), Escape -> 0, also in $ENDED_MS ms with the starts held"
rm -rf "$WORK"
