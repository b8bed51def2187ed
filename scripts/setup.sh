#!/usr/bin/env bash
# setup.sh -- shared by ./play and ./check: installs the missing Debian packages that the
# roles given need (scripts/packages.txt), then configures and builds. Quick when nothing
# changed.
#   scripts/setup.sh [--for ROLE[,ROLE...]] [--packages-only] [build-dir] [extra cmake args...]
# ROLE is game, headless, check, web or web-headless (the default: everything, as ./check
# needs). With --packages-only it installs and stops (scripts/setup_web.sh builds the
# browser's site itself). A build folder configured for the game alone (-DWIBZ_GAME_ONLY=ON,
# as ./play makes it) is configured again for everything when check is asked for.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
ROLES=game,headless,check,web,web-headless
if [ "${1:-}" = --for ]; then
    ROLES=$2
    shift 2
fi
PACKAGES_ONLY=false
if [ "${1:-}" = --packages-only ]; then
    PACKAGES_ONLY=true
    shift
fi

# The packages of the roles asked for, in the list's order; a line may name several roles.
needed_packages() {
    awk -v roles=",$ROLES," '!/^#/ && NF >= 2 {
        n = split($2, own, ",")
        for (i = 1; i <= n; i++) if (index(roles, "," own[i] ",")) { print $1; next }
    }' "$ROOT/scripts/packages.txt"
}

missing_packages() {
    local p
    for p in $(needed_packages); do
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
if $PACKAGES_ONLY; then
    exit 0
fi

BUILD=${1:-$ROOT/build}
shift || true
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" "$@" >/dev/null
elif [[ ",$ROLES," == *,check,* ]] && grep -q '^WIBZ_GAME_ONLY:BOOL=ON$' "$BUILD/CMakeCache.txt"; then
    cmake -S "$ROOT" -B "$BUILD" -DWIBZ_GAME_ONLY=OFF "$@" >/dev/null
fi
# Progress lines are trimmed; warnings and errors still show, and a failure stops here.
cmake --build "$BUILD" -j "$(nproc)" 2>&1 | { grep -v '^\[ *[0-9]*%\]' || true; }
