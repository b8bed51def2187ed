// scene.h -- the drawn scene, the projection and the scene's lights.
#pragma once

#include "game/game_state.h"
#include "math/vector3.h"
#include "view/drawable_state.h"

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
// Draws the game into the back buffer: the moving things where d has them, the rest as the
// game stands. The caller swaps.
void drawScene(const GameState& g, const DrawableState& d);
