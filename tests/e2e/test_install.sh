#!/usr/bin/env bash
# The install: `cmake --install` into a temporary prefix, which is then moved; the files a
# desktop needs are checked (desktop entry, icons, manual pages), and the installed game is
# started from / under Xvfb, directly and through a link. Then the build tree's game from
# the repository's root.
set -u
BUILD=$1
SOURCE=$2
GAMES=${3:-games}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_lib.sh"
trap 'stop_all; rm -rf "$WORK"' EXIT
WORK=$(mktemp -d)

keeping_manifest "$BUILD" cmake --install "$BUILD" --prefix "$WORK/first" >/dev/null ||
    fail "cmake --install failed"
mv "$WORK/first" "$WORK/moved"
P="$WORK/moved"
for file in "$GAMES/wibz3d" "$GAMES/wibz3d-model" share/wibz3d/models/ship.3DS \
    share/wibz3d/tex/getready.png share/applications/wibz3d.desktop \
    share/icons/hicolor/64x64/apps/wibz3d.png share/icons/hicolor/256x256/apps/wibz3d.png \
    share/man/man6/wibz3d.6.gz share/man/man6/wibz3d-model.6.gz share/doc/wibz3d/copyright; do
    [ -s "$P/$file" ] || fail "not installed: $file"
done
[ "$(ls "$P/share/wibz3d/tex" | wc -l)" = 13 ] && [ "$(ls "$P/share/wibz3d/models" | wc -l)" = 5 ] &&
    [ "$(ls "$P/share/wibz3d/sounds" | wc -l)" = 11 ] ||
    fail "the data is not the 13 images, 5 models and 11 sounds: $(ls -R "$P/share/wibz3d")"
desktop-file-validate "$P/share/applications/wibz3d.desktop" || fail "desktop entry"
grep -qx 'Categories=Game;ArcadeGame;' "$P/share/applications/wibz3d.desktop" || fail "categories"
# Read from standard input, so man-db keeps no formatted copy in /var/cache/man.
for page in wibz3d wibz3d-model; do
    WARNINGS=$(zcat "$P/share/man/man6/$page.6.gz" | MANWIDTH=80 man --warnings -l - 2>&1 >"$WORK/$page")
    [ -z "$WARNINGS" ] || fail "$page.6: $WARNINGS"
    grep -q "^EXIT STATUS" "$WORK/$page" || fail "$page.6 did not render: $(head "$WORK/$page")"
done
for section in OPTIONS CONTROLS FILES "CONSOLE OUTPUT"; do
    grep -q "^$section" "$WORK/wibz3d" || fail "no $section in wibz3d.6"
done
"$P/$GAMES/wibz3d-model" "$P/share/wibz3d/models/ship.3DS" | grep -q ": ok$" ||
    fail "the installed model inspector"

start_xvfb || fail "no Xvfb"
unset WIBZ3D_DATA
play_and_quit "$P/$GAMES/wibz3d" /
# Through a link elsewhere, as a home install on the PATH would be.
mkdir "$WORK/bin" && ln -s "$P/$GAMES/wibz3d" "$WORK/bin/wibz3d"
play_and_quit "$WORK/bin/wibz3d" /
play_and_quit "$BUILD/src/wibz3d" "$SOURCE"
echo "PASS: installed into a prefix that was then moved, started from /; build tree's game" \
    "from $SOURCE"
