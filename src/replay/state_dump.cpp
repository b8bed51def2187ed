// state_dump.cpp -- the end state and event log as plain text.
#include "replay/state_dump.h"

#include <algorithm>
#include <cstdio>

std::string describeState(const GameState& g) {
    std::string out;
    char line[160];
    std::snprintf(line, sizeof line,
                  "score %d\nlives %d\nover %d\nhit %d\nlock %d\nstreaks %d %d %d\nready %d\n"
                  "craft %.3f %.3f\nstones %d\n",
                  g.ship.getScore(), g.ship.getLives(), g.gameOver ? 1 : 0, g.ship.hit ? 1 : 0,
                  g.ship.lockedIndex(g.stones), g.smallStreak, g.mediumStreak, g.largeStreak,
                  g.getReadyCountdown, static_cast<double>(g.ship.getPosition().x),
                  static_cast<double>(g.ship.getPosition().z), g.stones.count(true));
    out += line;
    for (int i = 1; i < g.stones.count(false); ++i) {
        const GameObject& s = *g.stones.at(i);
        std::snprintf(line, sizeof line, "stone %d size %d at %.3f %.3f height %.3f\n", i, s.size,
                      static_cast<double>(s.x), static_cast<double>(s.y), static_cast<double>(s.z));
        out += line;
    }
    return out;
}

std::string describeStepEvents(int step, const StepEvents& events) {
    std::string out;
    const std::string number = std::to_string(step) + " ";
    for (const GameEvent& event : events) {
        if (isLogged(event.kind)) {
            out += number + describeEvent(event) + "\n";
        }
    }
    return out;
}

void printConsoleLines(const StepEvents& events) {
    for (const GameEvent& event : events) {
        const std::string text = consoleText(event);
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
            std::fputs(text.substr(start, end - start).c_str(), stdout);
            start = end;
        }
    }
}
