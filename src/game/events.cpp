// events.cpp -- the text forms of an event: one line for the event logs of demos, and what
// the console shows of it.
#include "game/events.h"

#include <cstdio>

namespace {
#define WIBZ_EVENT_NAME(enumerator, name, fields, kept) name,
#define WIBZ_EVENT_FIELDS(enumerator, name, fields, kept) fields,
#define WIBZ_EVENT_KEPT(enumerator, name, fields, kept) kept,
constexpr const char* kindNames[] = {WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_NAME)};
// Which fields each kind carries, so a log line shows only what means something.
constexpr unsigned kindFields[] = {WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_FIELDS)};
constexpr bool kindKept[] = {WIBZ_EVENT_KIND_LIST(WIBZ_EVENT_KEPT)};

std::string formatted(const char* format, int number) {
    char text[48];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

// The focus's coordinates, each right-aligned in seven characters with two decimals.
std::string focusLine(Vector3 focus) {
    char text[64];
    std::snprintf(text, sizeof text, "x:%7.2f  y:%7.2f  z:%7.2f\n", static_cast<double>(focus.x),
                  static_cast<double>(focus.y), static_cast<double>(focus.z));
    return text;
}
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
    if (fields & logged::on) {
        line += event.on ? " on 1" : " on 0";
    }
    return line;
}

bool isLogged(EventKind kind) {
    return kindKept[static_cast<int>(kind)];
}

std::string consoleText(const GameEvent& event) {
    const int on = event.on ? 1 : 0;
    switch (event.kind) {
    case EventKind::AROUND_CENTRE_SWITCHED:
        return formatted("AroundCenter %d\n", on);
    case EventKind::AROUND_TARGET_SWITCHED:
        return formatted("AroundTarget %d\n", on);
    case EventKind::TARGET_MODE_SWITCHED:
        return formatted("TargetMode %d\n", on);
    case EventKind::GOTO_MODE_SWITCHED:
        return formatted("GotoMode %d", on);
    case EventKind::AXIS_FOCUSED:
        return formatted("nextAxis %d\n", event.count) + focusLine(event.where);
    case EventKind::FOCUS_CROSSED:
        return "crossed\n";
    case EventKind::STONE_LOCKED: {
        char text[48];
        std::snprintf(text, sizeof text, "nlock %d, Index %d", event.stone, event.stone);
        return text;
    }
    default:
        return "";
    }
}
