// step_time.h -- the game's unit of time. One step is 0.01 s of game time by definition:
// speeds are in units per second and a step moves things stepSeconds of them; every duration
// is a count of steps.
#pragma once

constexpr float stepSeconds = 0.01f;
