// events.cpp -- the text form of an event, one line, for the event logs of demos.
#include "game/events.h"

#include <cstdio>

namespace {
constexpr const char* kindNames[EVENT_KIND_COUNT] = {
    "shot-fired",  "stone-hit",      "stone-split", "stone-destroyed", "debris-thrown",
    "combo-paid",  "craft-struck",   "game-over",   "stone-arrived",   "floor-bounce",
    "wall-bounce", "get-ready-over", "lock-taken",  "lock-released"};

// Which fields each kind carries, so a log line shows only what means something.
struct Fields {
    bool stone, size, count, speed, where;
};
constexpr Fields kindFields[EVENT_KIND_COUNT] = {
    {false, false, false, false, true},  // shot-fired
    {true, true, false, false, true},    // stone-hit
    {false, true, false, false, false},  // stone-split
    {false, false, false, false, false}, // stone-destroyed
    {false, false, true, false, true},   // debris-thrown
    {false, true, false, false, false},  // combo-paid
    {true, false, true, false, true},    // craft-struck
    {false, false, false, false, false}, // game-over
    {true, false, false, false, true},   // stone-arrived
    {true, true, false, true, true},     // floor-bounce
    {true, true, false, true, true},     // wall-bounce
    {false, false, false, false, false}, // get-ready-over
    {true, false, false, false, true},   // lock-taken
    {false, false, false, false, false}, // lock-released
};
} // namespace

std::string describeEvent(const GameEvent& event) {
    const int kind = static_cast<int>(event.kind);
    const Fields& fields = kindFields[kind];
    std::string line = kindNames[kind];
    char part[96];
    if (fields.stone) {
        std::snprintf(part, sizeof part, " stone %d", event.stone);
        line += part;
    }
    if (fields.size) {
        std::snprintf(part, sizeof part, " size %d", event.size);
        line += part;
    }
    if (fields.count) {
        std::snprintf(part, sizeof part, " count %d", event.count);
        line += part;
    }
    if (fields.speed) {
        std::snprintf(part, sizeof part, " speed %.3f", static_cast<double>(event.speed));
        line += part;
    }
    if (fields.where) {
        std::snprintf(part, sizeof part, " at %.3f %.3f %.3f", static_cast<double>(event.where.x),
                      static_cast<double>(event.where.y), static_cast<double>(event.where.z));
        line += part;
    }
    return line;
}
