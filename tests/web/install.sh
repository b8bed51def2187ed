#!/usr/bin/env bash
# install.sh -- installs the browser tests' playwright-core from the npm registry at the
# version of package-lock.json (npm ci), into tests/web/node_modules; nothing when that is
# done already. playwright-core drives the system's Chromium and downloads no browser.
set -euo pipefail
cd "$(dirname "$0")"
if ! command -v npm >/dev/null; then
    echo "Installing: npm"
    apt_line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends npm"
    if [ "$(id -u)" = "0" ]; then bash -c "$apt_line"; else sudo bash -c "$apt_line"; fi
fi
if [ node_modules/.package-lock.json -nt package-lock.json ] &&
    [ -f node_modules/playwright-core/package.json ]; then
    exit 0
fi
npm ci --no-audit --no-fund --loglevel=error >/dev/null
