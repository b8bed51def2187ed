// frame_step.h -- one frame of the game, without any window: the idle callback is pacing,
// this, and a redraw request. Tests, benchmarks and replays call it directly.
#pragma once

// Advances the whole game by one frame in the fixed order of work.
void advanceFrame();

// The frame interval in seconds, as last measured by the frame timer.
float frameDt();
