// window_focus.h -- whether the game's window has the keyboard focus, asked of the X server:
// GLUT reports no focus changes, and SDL, which reads the pads, has no window of its own to
// judge by. The pads play only while it has, as the keyboard does.
#pragma once

// True when keys typed now would reach the game's window, and when that cannot be told.
bool windowHasKeyboardFocus();
