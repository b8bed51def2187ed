#!/usr/bin/env bash
# Every demo that comes with the game and every test replay, played by the demo player built
# as the game is and by one built the other way (the highest optimisation level and every
# instruction of this CPU, fused multiply-add among them): the same end state, the same
# events, the same console lines.
#   same_end_on_every_build.sh PLAYER OTHER_PLAYER DEMO...
set -u
PLAYER=$1
OTHER=$2
shift 2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
STATUS=0
for demo in "$@"; do
    name=$(basename "$demo" .demo)
    for build in one other; do
        tool=$PLAYER
        [ "$build" = other ] && tool=$OTHER
        "$tool" "$demo" --dump-state "$WORK/$name.$build.state" --events "$WORK/$name.$build.events" \
            >"$WORK/$name.$build.out" 2>&1 || { echo "FAIL: $build build could not play $demo"; STATUS=1; }
    done
    for part in state events out; do
        if ! cmp -s "$WORK/$name.one.$part" "$WORK/$name.other.$part"; then
            echo "FAIL: $name: the ${part} differs between the builds:"
            diff "$WORK/$name.one.$part" "$WORK/$name.other.$part" | head -n 6
            STATUS=1
        fi
    done
    [ "$STATUS" = 0 ] && echo "same: $name ($(wc -l <"$WORK/$name.one.events") events, $(head -n1 "$WORK/$name.one.state"))"
done
FMA=no
grep -qw fma /proc/cpuinfo && FMA=yes
[ "$STATUS" = 0 ] && echo "PASS: $# demos end alike on both builds (this CPU has fused multiply-add: $FMA)"
exit "$STATUS"
