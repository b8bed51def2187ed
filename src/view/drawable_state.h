// drawable_state.h -- what a drawn frame shows of the game's moving things: the camera, the
// craft and its shot, the spin of the scene's turning items, the stones and the debris.
// Taken from the game before and after a step and blended at the share of the step real
// time has reached, so motion is even at any display rate. No OpenGL here.
#pragma once

#include "game/game_state.h"

#include <vector>

struct DrawnObject {
    int id;  // the object's, for its life
    float x; // floor position, world x
    float y; // floor position, world z
    float z; // height
    float floor;
    int size;
};

struct DrawnShot {
    bool active = false;
    float x = 0.0f;
    float z = 0.0f;
    float height = 0.0f;
};

struct DrawableState {
    Vector3 eye{0.0f, 0.0f, 0.0f};
    Vector3 view{0.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 craftPosition{0.0f, 0.0f, 0.0f};
    ShipModelPose craftPose{};
    DrawnShot shot;
    float spinAngle = 0.0f; // degrees
    // What tells a jump from a move, as the rules set it: the craft's placements at its
    // start, whether the view is aimed at the camera's target, and what that follows.
    int craftPlacements = 0;
    bool aimed = false;
    int watchedId = 0;
    // Entry i is entry i of the game's list, the placeholder first.
    std::vector<DrawnObject> stones;
    std::vector<DrawnObject> debris;
};

// The drawable part of the game as it stands; the lists keep their room between calls.
void captureDrawable(const GameState& g, DrawableState& into);

// The world at fraction (0 to 1) of the way from before to after, one step apart. Objects
// are matched by id: one only in after is where it is, one only in before is gone. The
// craft put back at its start and the view aimed at something new are cuts, shown at once;
// angles turn the short way round.
void blendDrawable(const DrawableState& before, const DrawableState& after, float fraction,
                   DrawableState& into);
