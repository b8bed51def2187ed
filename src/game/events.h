// events.h -- what happened in a step, in the order it happened, for whoever wants to react
// (sound, a rumble, a test asking whether stone 3 was hit at step 1,812) without comparing
// states. The step writes them into the game state's list, which keeps its room from step
// to step, so reporting allocates nothing once the list has grown to a busy step's size.
#pragma once

#include "math/vector3.h"

#include <string>
#include <vector>

// The fields a kind's line shows in describeEvent.
namespace logged {
constexpr unsigned nothing = 0;
constexpr unsigned stone = 1;
constexpr unsigned size = 2;
constexpr unsigned count = 4;
constexpr unsigned speed = 8;
constexpr unsigned where = 16;
constexpr unsigned on = 32;
} // namespace logged
// Whether event logs keep a kind. The console's kinds are what the game prints as it plays
// (consoleText); logs leave them out, so a log tells what happened in the game only.
constexpr bool inLogs = true;
constexpr bool consoleOnly = false;

// Every kind, with its name in event logs, the fields it carries and whether logs keep it;
// the enum and the tables of describeEvent are built from this list.
// X(enumerator, name, fields, kept in logs). Where a field means more than its name: a
// shot's where is the beam's foot; a split's size is the hit stone's, two stones of the next
// size down taking its place; a combination's size is its stones'; a strike's count is the
// lives left and its where the craft; a bounce's speed is upward after it (floor) or across
// the wall; a lock is taken also when it moves from one stone to another. The console's: a
// camera mode switched on or off; the focus moved to axis point count, at where; the craft
// moved past its focus; the lock set on stone number stone, also on the stone it was on.
#define WIBZ_EVENT_KIND_LIST(X)                                                                    \
    X(SHOT_FIRED, "shot-fired", logged::where, inLogs)                                             \
    X(STONE_HIT, "stone-hit", logged::stone | logged::size | logged::where, inLogs)                \
    X(STONE_SPLIT, "stone-split", logged::size, inLogs)                                            \
    X(STONE_DESTROYED, "stone-destroyed", logged::nothing, inLogs)                                 \
    X(DEBRIS_THROWN, "debris-thrown", logged::count | logged::where, inLogs)                       \
    X(COMBO_PAID, "combo-paid", logged::size, inLogs)                                              \
    X(CRAFT_STRUCK, "craft-struck", logged::stone | logged::count | logged::where, inLogs)         \
    X(GAME_OVER, "game-over", logged::nothing, inLogs)                                             \
    X(STONE_ARRIVED, "stone-arrived", logged::stone | logged::where, inLogs)                       \
    X(FLOOR_BOUNCE, "floor-bounce", logged::stone | logged::size | logged::speed | logged::where,  \
      inLogs)                                                                                      \
    X(WALL_BOUNCE, "wall-bounce", logged::stone | logged::size | logged::speed | logged::where,    \
      inLogs)                                                                                      \
    X(GET_READY_OVER, "get-ready-over", logged::nothing, inLogs)                                   \
    X(LOCK_TAKEN, "lock-taken", logged::stone | logged::where, inLogs)                             \
    X(LOCK_RELEASED, "lock-released", logged::nothing, inLogs)                                     \
    X(AROUND_CENTRE_SWITCHED, "around-centre-switched", logged::on, consoleOnly)                   \
    X(AROUND_TARGET_SWITCHED, "around-target-switched", logged::on, consoleOnly)                   \
    X(TARGET_MODE_SWITCHED, "target-mode-switched", logged::on, consoleOnly)                       \
    X(GOTO_MODE_SWITCHED, "goto-mode-switched", logged::on, consoleOnly)                           \
    X(AXIS_FOCUSED, "axis-focused", logged::count | logged::where, consoleOnly)                    \
    X(FOCUS_CROSSED, "focus-crossed", logged::nothing, consoleOnly)                                \
    X(STONE_LOCKED, "stone-locked", logged::stone, consoleOnly)

#define WIBZ_EVENT_ENUMERATOR(enumerator, name, fields, kept) enumerator,
enum class EventKind : unsigned char { WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_ENUMERATOR) };
#define WIBZ_EVENT_ONE(enumerator, name, fields, kept) +1
constexpr int EVENT_KIND_COUNT = 0 WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_ONE);

struct GameEvent {
    EventKind kind = EventKind::SHOT_FIRED;
    int stone = 0;                   // the stone's number in the list at the time, 0 when none
    int size = 0;                    // 3 large, 2 medium, 1 small
    int count = 0;                   // lives left, debris pieces, an axis point's number
    float speed = 0.0f;              // units per second
    Vector3 where{0.0f, 0.0f, 0.0f}; // world axes, y up
    bool on = false;                 // a switched mode's new state
};

using StepEvents = std::vector<GameEvent>;

// Room for a busy step, made once, so that reporting does not allocate during play.
constexpr int eventsReserved = 256;

// One line of text: the kind's name and its fields ("stone-hit stone 3 size 2 at 1.250
// 0.000 -6.500"), for logs that two runs can compare.
std::string describeEvent(const GameEvent& event);
// Whether event logs keep the kind (not the console's).
bool isLogged(EventKind kind);
// What the game prints for the event as it plays, "" for most kinds: "AroundCenter 1\n",
// "nextAxis 3\n" with the focus's "x:   1.50  y:   0.00  z: -49.00\n", "crossed\n",
// "nlock 2, Index 2". "GotoMode 1" and the lock's text have no line end and run together
// with what follows.
std::string consoleText(const GameEvent& event);
