// key_polling.h -- the held arrow keys, read once per frame while play is on. Part of the
// core library: it reads the held-key table, not the window, so replays drive it headless.
#pragma once

// Moves or turns the craft for each arrow key held this frame and sets moved, turnInput
// and thrustInput; when the craft moved, the camera's goal follows it.
void pollKeys();
