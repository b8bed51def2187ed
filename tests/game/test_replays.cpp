// test_replays.cpp -- whole recorded games played headless from demo files (the same format
// players record with --record): the replays in replays/ against a short state dump every
// 250 steps, and the demos that come with the game against their end state; both against
// the log of every step's events stored beside them. After a deliberate change of the
// rules, rewrite the expected files with WIBZ_UPDATE_REPLAYS=1 and say why in the commit.
// Every step also checks that a held lock points at a live stone and that every removed
// stone and debris piece has been released.
#include "game/game_setup.h"
#include "game_fixture.h"
#include "replay/demo.h"
#include "replay/demo_player.h"
#include "replay/state_dump.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
struct Played {
    std::string dumps;  // the state every 250 steps
    std::string events; // every step's events
};

std::string stateLine(int step, int crossings) {
    const Ship& ship = game.ship;
    const Vector3 p = ship.getPosition();
    const Vector3 d = ship.getDirection();
    char line[256];
    std::snprintf(line, sizeof line,
                  "frame %d score %d lives %d streaks %d/%d/%d combo %d stones %d debris %d "
                  "craft %.3f %.3f dir %.3f %.3f lock %d hit %d over %d ready %d shot %d "
                  "crossed %d\n",
                  step, ship.getScore(), ship.getLives(), game.smallStreak, game.mediumStreak,
                  game.largeStreak, game.comboTimer, game.stones.count(true),
                  game.debris.count(true), p.x, p.z, d.x, d.z, ship.lockedIndex(game.stones),
                  ship.hit, game.gameOver, game.getReadyCountdown, ship.isShotActive(), crossings);
    return line;
}

// Plays the demo, dumping the state every 250 steps and logging the events.
Played play(const std::string& path) {
    Demo demo;
    std::string error;
    EXPECT_TRUE(readDemo(path, demo, error)) << error;
    DemoPlayer player(demo);
    Played played;
    int crossings = 0;
    for (int step = 1; step <= demo.length; ++step) {
        player.playStep(game);
        for (const GameEvent& event : game.events) {
            crossings += event.kind == EventKind::FOCUS_CROSSED ? 1 : 0;
        }
        played.events += describeStepEvents(step, game.events);
        const Ship& ship = game.ship;
        if (ship.hasLock()) {
            EXPECT_GE(ship.lockedIndex(game.stones), 1) << "step " << step;
        }
        EXPECT_FALSE(game.stones.hasUnreleased() || game.debris.hasUnreleased()) << step;
        if (step % 250 == 0) {
            played.dumps += stateLine(step, crossings);
        }
    }
    EXPECT_FALSE(player.playStep(game)); // the demo ends where it was closed
    // Reporting never needed more room than the list was built with: no allocation.
    EXPECT_EQ(game.events.capacity(), static_cast<std::size_t>(eventsReserved));
    return played;
}

void compareWithExpected(const std::string& path, const std::string& actual) {
    const char* update = std::getenv("WIBZ_UPDATE_REPLAYS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path) << actual;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing " << path << " (WIBZ_UPDATE_REPLAYS=1 writes it)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << path;
}

Played replay(const std::string& name) {
    const std::string base = std::string(WIBZ_REPLAY_DIR) + "/" + name;
    const Played played = play(base + ".demo");
    compareWithExpected(base + ".txt", played.dumps);
    compareWithExpected(base + ".events", played.events);
    return played;
}
} // namespace

// Chases whatever stone it can lock, firing as it goes: touches, pauses and game over.
TEST_F(GameTest, ReplayHunterRunsIntoStonesUntilTheGameIsOver) {
    replay("hunter");
    EXPECT_TRUE(game.gameOver);
    EXPECT_NE(describeState(game).find("\nlives 0\nover 1\nhit 1\n"), std::string::npos);
}

// Circles the far axis points along the field's edges, switching focus and firing.
TEST_F(GameTest, ReplayOrbiterCirclesTheAxisPoints) {
    replay("orbiter");
    EXPECT_NE(describeState(game).find("\nover 0\nhit 0\n"), std::string::npos);
}

// Steps the lock through the stones and backs away from them, firing often.
TEST_F(GameTest, ReplayStepperWalksTheLockThroughTheStones) {
    replay("stepper");
}

// The demos that come with the game end as recorded, event for event.
TEST_F(GameTest, ShippedDemosEndAsRecorded) {
    for (const char* name : {"beam", "hunt-to-the-end", "orbit"}) {
        beginGame(game);
        const std::string base = std::string(WIBZ_DEMO_DIR) + "/" + name;
        const Played played = play(base + ".demo");
        compareWithExpected(base + ".state", describeState(game));
        compareWithExpected(base + ".events", played.events);
    }
}
