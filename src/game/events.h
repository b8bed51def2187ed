// events.h -- what happened in a step, in the order it happened, for whoever wants to react
// (sound, a rumble, a test asking whether stone 3 was hit at step 1,812) without comparing
// states. The step writes them into the game state's list, which keeps its room from step
// to step, so reporting allocates nothing once the list has grown to a busy step's size.
#pragma once

#include "math/vector3.h"

#include <string>
#include <vector>

// The fields an event log line shows of a kind.
namespace logged {
constexpr unsigned nothing = 0;
constexpr unsigned stone = 1;
constexpr unsigned size = 2;
constexpr unsigned count = 4;
constexpr unsigned speed = 8;
constexpr unsigned where = 16;
} // namespace logged

// Every kind, with its name in event logs and the fields it carries; the enum and the
// tables of describeEvent are built from this list. X(enumerator, name, fields). Where a
// field means more than its name: a shot's where is the beam's foot; a split's size is the
// hit stone's, two stones of the next size down taking its place; a combination's size is
// its stones'; a strike's count is the lives left and its where the craft; a bounce's speed
// is upward after it (floor) or across the wall; a lock is taken also when it moves from
// one stone to another.
#define WIBZ_EVENT_KIND_LIST(X)                                                                    \
    X(SHOT_FIRED, "shot-fired", logged::where)                                                     \
    X(STONE_HIT, "stone-hit", logged::stone | logged::size | logged::where)                        \
    X(STONE_SPLIT, "stone-split", logged::size)                                                    \
    X(STONE_DESTROYED, "stone-destroyed", logged::nothing)                                         \
    X(DEBRIS_THROWN, "debris-thrown", logged::count | logged::where)                               \
    X(COMBO_PAID, "combo-paid", logged::size)                                                      \
    X(CRAFT_STRUCK, "craft-struck", logged::stone | logged::count | logged::where)                 \
    X(GAME_OVER, "game-over", logged::nothing)                                                     \
    X(STONE_ARRIVED, "stone-arrived", logged::stone | logged::where)                               \
    X(FLOOR_BOUNCE, "floor-bounce", logged::stone | logged::size | logged::speed | logged::where)  \
    X(WALL_BOUNCE, "wall-bounce", logged::stone | logged::size | logged::speed | logged::where)    \
    X(GET_READY_OVER, "get-ready-over", logged::nothing)                                           \
    X(LOCK_TAKEN, "lock-taken", logged::stone | logged::where)                                     \
    X(LOCK_RELEASED, "lock-released", logged::nothing)

#define WIBZ_EVENT_ENUMERATOR(enumerator, name, fields) enumerator,
enum class EventKind : unsigned char { WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_ENUMERATOR) };
#define WIBZ_EVENT_ONE(enumerator, name, fields) +1
constexpr int EVENT_KIND_COUNT = 0 WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_ONE);

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
