#!/usr/bin/env bash
# test_install_web.sh ROOT WEB_BUILD -- installing the browser's build gives the folder to
# copy to a web host, and only it: the page, the program's script and WebAssembly, the
# packed data and its loader. Served from a temporary folder by Python's static server, the
# installed page plays in headless Chromium.
set -u
ROOT=$1
WEB_BUILD=$2
WORK=$(mktemp -d)
SERVER_PID=""
trap '[ -n "$SERVER_PID" ] && kill "$SERVER_PID"; rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

cmake --install "$WEB_BUILD" --prefix "$WORK/host" >"$WORK/install.txt" 2>&1 ||
    fail "cmake --install failed: $(cat "$WORK/install.txt")"
FILES=$(cd "$WORK/host" && find . -type f | sort | tr '\n' ' ')
[ "$FILES" = "./index.html ./wibz3d-data.js ./wibz3d.data ./wibz3d.js ./wibz3d.wasm " ] ||
    fail "the installed folder holds: $FILES"

python3 -u -m http.server --bind 127.0.0.1 --directory "$WORK/host" 0 >"$WORK/server.txt" 2>&1 &
SERVER_PID=$!
URL=""
for _ in $(seq 100); do
    URL=$(sed -n 's|.*(\(http://127\.0\.0\.1:[0-9]*/\)).*|\1|p' "$WORK/server.txt" | head -n1)
    [ -n "$URL" ] && break
    sleep 0.1
done
[ -n "$URL" ] || fail "the static server did not start: $(cat "$WORK/server.txt")"
NODE_PATH="$ROOT/tests/web/node_modules" node "$ROOT/scripts/web_screenshot.js" "$URL" \
    "$WORK/shot.png" >"$WORK/page.txt" 2>&1 || fail "the installed page did not play: $(cat "$WORK/page.txt")"
grep -q "^Loaded 'tex/getready.png' ok" "$WORK/page.txt" ||
    fail "the installed page loaded no pictures: $(cat "$WORK/page.txt")"
echo "PASS: the installed site ($FILES) plays from $URL"
