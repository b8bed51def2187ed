#!/usr/bin/env bash
# setup.sh -- shared by ./play and ./check: installs missing Debian packages, then
# configures and builds. Quick when nothing changed.
#   scripts/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)

PACKAGES=(
    build-essential cmake pkg-config
    freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
    libdevil-dev libgtest-dev lib3ds-dev libbenchmark-dev
    # Gamepads: SDL2's game controller API (the game loads the library at run time; the
    # tests link it for its virtual joysticks).
    libsdl2-dev
    # Sound: OpenAL Soft, libsndfile, and ALSA (linked to keep its lines off the console).
    libopenal-dev libsndfile1-dev libasound2-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils x11-apps imagemagick python3
    # Packaging and its checks: cpack's dependency scan, lintian, the desktop entry and
    # manual page checks.
    dpkg-dev file lintian desktop-file-utils man-db
)

missing_packages() {
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    echo "Installing: $missing"
    local cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing"
    if [ "$(id -u)" = "0" ]; then
        bash -c "$cmd"
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo bash -c "$cmd"
    else
        echo "Missing packages and no root or sudo. Install them with:"
        echo "  sudo apt-get update && sudo apt-get install -y $missing"
        exit 1
    fi
}

install_packages

BUILD=${1:-$ROOT/build}
shift || true
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" "$@" >/dev/null
fi
# Progress lines are trimmed; warnings and errors still show, and a failure stops here.
cmake --build "$BUILD" -j "$(nproc)" 2>&1 | { grep -v '^\[ *[0-9]*%\]' || true; }
