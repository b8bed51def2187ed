// page.h -- what the browser's program tells its page (web/index.html), which shows it
// beside the canvas: the one message when the game cannot start, the first frame drawn,
// and whether the sound waits for the player's first key or click.
#pragma once

#include <string>

// The game cannot go on: the page shows text in place of the game.
void showPageMessage(const std::string& text);
void notePageFirstFrame();
// The controls beside the canvas: the key table's lines and the pad table's.
void showPageControls(const std::string& keys, const std::string& pad);
void notePageSoundWaiting(bool waiting);
