// events.h -- what happened in a step, in the order it happened, for whoever wants to react
// (sound, a rumble, a test asking whether stone 3 was hit at step 1,812) without comparing
// states. The step writes them into the game state's list, which keeps its room from step
// to step, so reporting allocates nothing once the list has grown to a busy step's size.
#pragma once

#include "math/vector3.h"

#include <string>
#include <vector>

enum class EventKind : unsigned char {
    SHOT_FIRED,      // where: the beam's foot
    STONE_HIT,       // stone, size, where
    STONE_SPLIT,     // the hit stone's size; two stones of the next size down take its place
    STONE_DESTROYED, // a small stone, gone
    DEBRIS_THROWN,   // count pieces, where
    COMBO_PAID,      // size: the stone size of the run of hits
    CRAFT_STRUCK,    // stone, count: lives left, where: the craft when struck
    GAME_OVER,       //
    STONE_ARRIVED,   // stone, where
    FLOOR_BOUNCE,    // stone, size, where, speed: upward speed after the bounce
    WALL_BOUNCE,     // stone, size, where, speed: speed across the wall
    GET_READY_OVER,  // play resumes
    LOCK_TAKEN,      // stone, where: the lock is on a stone (taken, or moved to another)
    LOCK_RELEASED,   // no stone locked any more
};
constexpr int EVENT_KIND_COUNT = 14;

struct GameEvent {
    EventKind kind = EventKind::SHOT_FIRED;
    int stone = 0;                   // the stone's number in the list at the time, 0 when none
    int size = 0;                    // 3 large, 2 medium, 1 small
    int count = 0;                   // lives left, debris pieces
    float speed = 0.0f;              // units per second
    Vector3 where{0.0f, 0.0f, 0.0f}; // world axes, y up
};

using StepEvents = std::vector<GameEvent>;

// Room for a busy step, made once, so that reporting does not allocate during play.
constexpr int eventsReserved = 256;

// One line of text: the kind's name and its fields ("stone-hit stone 3 size 2 at 1.250
// 0.000 -6.500"), for logs that two runs can compare.
std::string describeEvent(const GameEvent& event);
