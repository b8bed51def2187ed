#!/usr/bin/env bash
# test_play_web.sh ROOT WEB_BUILD -- ./play --web without a display, on the browser's build
# that ./check made: it prints the address it serves the site at, opens the page in headless
# Chromium, saves a screenshot of the game playing and stops the server again.
set -u
ROOT=$1
WEB_BUILD=$2
OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

rm -f "$WEB_BUILD/screenshot.png"
env -u DISPLAY WIBZ_WEB_BUILD="$WEB_BUILD" "$ROOT/play" --web >"$OUT" 2>&1 ||
    fail "./play --web failed: $(tail -20 "$OUT")"
URL=$(sed -n 's|^Wibz3D is served at \(http://127\.0\.0\.1:[0-9]*/\)$|\1|p' "$OUT")
[ -n "$URL" ] || fail "no address printed: $(cat "$OUT")"
grep -q '^The page ran headless (status 0)' "$OUT" || fail "the page did not play: $(cat "$OUT")"
grep -q '^curTime ' "$WEB_BUILD/play-headless.log" ||
    fail "no frame timer line from the game: $(cat "$WEB_BUILD/play-headless.log")"
[ "$(head -c 8 "$WEB_BUILD/screenshot.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    fail "no PNG screenshot"
# The server stopped with ./play: nothing answers at the address any more.
! python3 -c "import urllib.request, sys; urllib.request.urlopen(sys.argv[1], timeout=5)" "$URL" \
    2>/dev/null || fail "the site is still served at $URL"
echo "PASS: ./play --web served $URL, played the page headless and saved its screenshot"
