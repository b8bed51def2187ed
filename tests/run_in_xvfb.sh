#!/usr/bin/env bash
# run_in_xvfb.sh COMMAND [ARGS...] -- runs a test program that needs a window on a private
# Xvfb display (Mesa's software renderer) and passes on its exit status.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e/xvfb_lib.sh"
trap stop_all EXIT
start_xvfb || exit 1
"$@"
STATUS=$?
stop_all
exit $STATUS
