#!/usr/bin/env bash
# setup_web.sh -- shared by ./play --web and ./check: installs what the browser's build needs
# (scripts/packages.txt: the role web; web-headless adds Chromium, and the tests'
# playwright-core from npm), then configures the build folder with emscripten's emcmake and
# builds the site into BUILD/site. Quick when nothing changed.
#   scripts/setup_web.sh [--for ROLE[,ROLE...]] [build-dir]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
ROLES=web,web-headless
if [ "${1:-}" = --for ]; then
    ROLES=$2
    shift 2
fi
BUILD=${1:-$ROOT/build-web}

"$ROOT/scripts/setup.sh" --for "$ROLES" --packages-only
if [[ ",$ROLES," == *,web-headless,* ]]; then
    "$ROOT/tests/web/install.sh"
fi
# Debian's emscripten runs its JavaScript optimiser on the machine's Node.js, which does not
# look in Debian's own module folder, where the optimiser's parser (node-acorn) is.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    emcmake cmake -S "$ROOT" -B "$BUILD" >/dev/null 2>&1 ||
        emcmake cmake -S "$ROOT" -B "$BUILD" # again, to show why
fi
# Progress lines and the packer's reminder of a flag the program has are trimmed; warnings
# and errors still show, and a failure stops here.
cmake --build "$BUILD" -j "$(nproc)" 2>&1 |
    { grep -v -e '^\[ *[0-9]*%\]' -e 'Remember to build the main file' -e 'jobserver unavailable' \
        -e '^-- ' || true; }
