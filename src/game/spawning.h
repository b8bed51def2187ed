// spawning.h -- the timed side of the rules, once per frame: the get-ready pause after a
// touch, debris falling and vanishing, and large stones arriving on a frame countdown.
// Every count is in frames, set from the frame interval at the moment it starts.
#pragma once

// Adds count debris pieces at (x, y, z) in the object record's axes (y is world z).
void spawnDebris(int count, float x, float y, float z);

// While the craft is hit, counts the pause down; its end resumes play with the oldest
// stones thinned out and the next stone due sooner.
void getReadyStep(float dt);
// Moves every debris piece; a piece that sinks below height 0.5 is removed.
void debrisStep(float dt);
// Counts down to the next large stone, which drops from above the arena's middle.
void spawnStep(float dt);
