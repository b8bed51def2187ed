// browser_frame_loop.h -- the page's frames: the browser's animation frames, paced by the
// display, drive the game's fixed steps and the drawing of the moment between the last two,
// as the desktop's idle and display callbacks do. A hidden tab gets no frames, and the game
// waits; back in view it runs at most the catch-up limit of steps, so game time never jumps.
#pragma once

// What starts once the first frame is drawn: the sound device (its volume 0 to 100) and
// the pads.
struct BrowserDevices {
    bool sound = false;
    int volumePercent = 100;
    bool gamepads = false;
};

// The line the desktop prints about its swap sync, for the browser's pacing: the display's
// animation frames, or none for a timedemo.
void reportFramePacing(bool timedemo);
// Takes the set-up game as the first picture and hands the frames to the browser: its
// animation frames, or for a timedemo every turn of its event loop, as fast as it goes.
// Does not return.
void runBrowserFrameLoop(const BrowserDevices& devices, bool timedemo);
