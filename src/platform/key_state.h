// key_state.h -- held state of the polled keys (our stand-in for GetKeyState).
// The window's key callbacks feed it; the shell reads it once per game step. Each key also
// latches its presses, so a toggle key acts once per press even when the press was
// shorter than a step.
#pragma once

// The polled keys; the window's codes for each are in shell/keyboard.cpp, in this order,
// and their names in demo files in controls/controls.h.
enum PolledKey { KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_F2, KEY_F3, KEY_F8, POLLED_KEY_COUNT };

void pressKey(PolledKey key);
void releaseKey(PolledKey key);
// Forgets every held key, for when the window can no longer see the releases.
void releaseAllKeys();
bool isKeyHeld(PolledKey key);
// True once for each press since the last call; the latch is cleared by reading it.
bool takeKeyPress(PolledKey key);
