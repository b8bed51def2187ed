#!/usr/bin/env bash
# The real binary's command line: help, version and each kind of bad input end with their
# status before any window (no X display is given them), so does a run with no data
# anywhere; then --data, WIBZ3D_DATA, --window, --fullscreen and GLUT's -display and
# -geometry in real windows, each run with a copy of the program alone, started from /.
set -u
BIN=$1
DATA=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
WORK=$(mktemp -d)
mkdir "$WORK/lone" "$WORK/empty"
cp "$BIN" "$WORK/lone/wibz3d"
LONE="$WORK/lone/wibz3d"

# expect STATUS STREAM FIRST-LINE [ARGS...]: run without a display in an empty folder.
expect() {
    local status=$1 stream=$2 first=$3 got
    shift 3
    (cd "$WORK/empty" && env -u DISPLAY WIBZ3D_DATA="$WORK/nothing" "$LONE" "$@" \
        >"$WORK/out" 2>"$WORK/err")
    got=$?
    [ "$got" = "$status" ] || fail "$*: status $got, not $status: $(cat "$WORK/out" "$WORK/err")"
    [ "$(head -n1 "$WORK/$stream")" = "$first" ] || fail "$*: $stream was: $(cat "$WORK/$stream")"
    local other=err
    [ "$stream" = err ] && other=out
    [ ! -s "$WORK/$other" ] || fail "$*: unexpected $other: $(cat "$WORK/$other")"
    if [ "$status" = 2 ]; then
        [ "$(sed -n 2p "$WORK/err")" = "Try 'wibz3d --help' for more information." ] &&
            [ "$(wc -l <"$WORK/err")" = 2 ] || fail "$*: not the two lines: $(cat "$WORK/err")"
    fi
}

expect 0 out "Usage: wibz3d [OPTION]..." --help
expect 0 out "Usage: wibz3d [OPTION]..." -h --bogus
expect 0 out "wibz3d $(sed -n 's/^project(Wibz3D VERSION \([0-9.]*\).*/\1/p' \
    "$HERE/../../CMakeLists.txt")" --version
[ "$(wc -l <"$WORK/out")" = 1 ] || fail "--version printed more than one line"
expect 2 err "wibz3d: unknown option '--bogus'" --bogus
expect 2 err "wibz3d: unexpected argument 'extra'" extra
expect 2 err "wibz3d: option '--data' needs a value" --data
expect 2 err "wibz3d: option '--fullscreen' takes no value" --fullscreen=1
expect 2 err "wibz3d: bad value '0x300' for '--window' (WIDTHxHEIGHT, such as 800x600)" \
    --window 0x300
expect 2 err "wibz3d: bad value 'big' for '--window' (WIDTHxHEIGHT, such as 800x600)" \
    --window=big
expect 2 err "wibz3d: option '-geometry' needs a value" -geometry
expect 1 err "wibz3d: no game data in $WORK/nothing (given with --data): the folder must hold tex/ and models/" \
    --data "$WORK/nothing"
expect 1 err "wibz3d: no game data found (a folder holding tex/ and models/); looked in:"
for place in "$WORK/nothing  (WIBZ3D_DATA)" "$WORK/empty  (the working directory)" \
    "$WORK/data  (the build tree beside the program)" \
    "$WORK/share/wibz3d  (the installed game's data)"; do
    grep -qxF "  $place" "$WORK/err" || fail "the error does not name $place: $(cat "$WORK/err")"
done

start_xvfb || fail "no Xvfb"
play_and_quit "$LONE" / --data "$DATA" --window 640x480
[ "$WINDOW_SIZE" = 640x480 ] || fail "--window 640x480 gave $WINDOW_SIZE"
WIBZ3D_DATA="$DATA" play_and_quit "$LONE" / --window 640x480 -geometry 300x200+10+10
[ "$WINDOW_SIZE" = 300x200 ] || fail "-geometry 300x200 gave $WINDOW_SIZE"
SCREEN=$(xdpyinfo | awk '/dimensions:/ {print $2}')
# The data from the working directory; the display only from -display.
play_and_quit env "$DATA" -u DISPLAY "$LONE" --fullscreen -display "$DISPLAY"
[ "$WINDOW_SIZE" = "$SCREEN" ] || fail "--fullscreen gave $WINDOW_SIZE on a $SCREEN screen"
echo "PASS: statuses 0/2/1 without a window; --data, WIBZ3D_DATA, the working directory," \
    "--window, -geometry, -display and --fullscreen ($SCREEN) in real windows"
