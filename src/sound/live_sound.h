// live_sound.h -- the game's sound on the player's device. The device is opened in the
// background, so a slow or missing device never holds up a frame or the exit; until it is
// open, and for good when it fails, the game plays silent. Without a
// device the game says why in one line on standard error and nothing else.
#pragma once

#include "camera/camera.h"
#include "game/events.h"

// Starts opening the default device and reading sounds/ from the working directory (the
// data folder). volumePercent 0 to 100. The device is closed as the game ends, unless it is
// still opening.
void startLiveSound(int volumePercent);
// After each step: its events' sounds wait for the next drawn frame.
void queueStepSounds(const StepEvents& events);
// Once per drawn frame: the listener to the camera, then the waiting sounds start.
void playQueuedSounds(const Camera& camera);
// The mute key: silent, or back at the volume asked for.
void toggleSoundMute();
// True while the device is open but held silent until the player's first key or click (in
// a browser).
bool liveSoundWaitsForPlayer();
