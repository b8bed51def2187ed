// scene.h -- the drawn scene and the scene's light.
#pragma once

#include "game/game_state.h"
#include "math/vector3.h"
#include "render/pipeline.h"
#include "view/drawable_state.h"

struct SceneLight {
    Vector3 position;
};

// The moving light hangs 5 units above this point.
extern SceneLight sceneLight;

// One frame through the pipeline: cleared, the view, the HUD, the light and material, the
// world, the arena, then the flat and billboarded things over the solid ones. The caller
// swaps.
void drawFrame(Pipeline& p, const GameState& g, const DrawableState& d);
