// frame_loop.h -- what happens between start-up and exit: each idle call runs the game steps
// that are due and each display call draws the moment real time has reached.
#pragma once

#include <string>

// With --frame-log FILE: false with why when the file cannot be written.
bool openFrameLog(const std::string& path, std::string& error);
// Asks the driver to hold swaps to the display's refresh (not for a timedemo) and prints the
// one line that says what came of it; the loop paces itself by the answer. Needs the window.
void startSwapSync(bool vsync);
// The devices that start in the background once the first frame is drawn: the sound device
// (its volume 0 to 100) and the gamepads' SDL.
struct DeviceStarts {
    bool sound = false;
    int volumePercent = 100;
    bool gamepads = false;
};
// Takes the set-up game as the first picture and hands GLUT the idle and display callbacks.
void startFrameLoop(const DeviceStarts& devices);
