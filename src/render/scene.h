// scene.h -- the display callback and the scene's lights.
#pragma once

#include "math/vector3.h"

struct SceneLight {
    Vector3 position;
};

// The moving light hangs 5 units above this point.
extern SceneLight sceneLight;

// The GL state every frame starts from (shading, clear, depth test, lit colour).
void initGl();
// Ambient and diffuse of both lights; only light 0 is switched on for good.
void initLights();
// The reshape callback: viewport and perspective for the new window size (0 leaves both).
void onReshape(int width, int height);
// Draws the current game state and swaps the buffers.
void onDisplay();
