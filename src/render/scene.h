// scene.h -- the display callback: draws the current game state and swaps buffers.
#pragma once

void onDisplay();
