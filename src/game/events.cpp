// events.cpp -- the text form of an event, one line, for the event logs of demos.
#include "game/events.h"

#include <cstdio>

namespace {
#define WIBZ_EVENT_NAME(enumerator, name, fields) name,
#define WIBZ_EVENT_FIELDS(enumerator, name, fields) fields,
constexpr const char* kindNames[] = {WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_NAME)};
// Which fields each kind carries, so a log line shows only what means something.
constexpr unsigned kindFields[] = {WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_FIELDS)};
} // namespace

std::string describeEvent(const GameEvent& event) {
    const int kind = static_cast<int>(event.kind);
    const unsigned fields = kindFields[kind];
    std::string line = kindNames[kind];
    char part[96];
    if (fields & logged::stone) {
        std::snprintf(part, sizeof part, " stone %d", event.stone);
        line += part;
    }
    if (fields & logged::size) {
        std::snprintf(part, sizeof part, " size %d", event.size);
        line += part;
    }
    if (fields & logged::count) {
        std::snprintf(part, sizeof part, " count %d", event.count);
        line += part;
    }
    if (fields & logged::speed) {
        std::snprintf(part, sizeof part, " speed %.3f", static_cast<double>(event.speed));
        line += part;
    }
    if (fields & logged::where) {
        std::snprintf(part, sizeof part, " at %.3f %.3f %.3f", static_cast<double>(event.where.x),
                      static_cast<double>(event.where.y), static_cast<double>(event.where.z));
        line += part;
    }
    return line;
}
