// controls.h -- what the keys do. Character keys act at once, at any time; F2, F3 and F8
// toggle once per press while play is on. The few effects that belong to the drawing side
// (lighting, model primitive, face culling) go through actions the window registers, so
// all of this runs headless in tests.
#pragma once

struct DisplayActions {
    void (*setLighting)(bool on);
    void (*rebuildModels)(bool asWireframe);
    void (*setFaceCulling)(bool on);
};

// Registers the drawing side's actions; a null action is skipped.
void setDisplayActions(const DisplayActions& actions);

// One character key press (the keyboard callback's key).
void handleKey(unsigned char key);
// F2 (frame-rate line), F3 (wireframe models), F8 (face culling): each press since the
// last frame toggles once.
void pollToggleKeys();
// Forgets presses of the toggle keys made while play is paused or over.
void discardToggleKeyPresses();
