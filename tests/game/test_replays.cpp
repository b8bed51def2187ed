// test_replays.cpp -- whole recorded games played headless from the demo files in replays/
// (the same format players record with --record), a short state dump every 250 steps
// compared with the expected files there. After a deliberate change of the rules, rewrite
// the dumps with WIBZ_UPDATE_REPLAYS=1 and say why in the commit. Every step also checks
// that a held lock points at a live stone and that every removed stone and debris piece
// has been released.
#include "game_fixture.h"
#include "shell/demo.h"
#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
// Plays the demo, dumping the state every 250 steps after the keys typed before the next.
std::string play(const std::string& name) {
    Demo demo;
    std::string error;
    EXPECT_TRUE(readDemo(std::string(WIBZ_REPLAY_DIR) + "/" + name + ".demo", demo, error))
        << error;
    DemoPlayer player(demo);
    std::string dump;
    int crossings = 0;
    for (int step = 1; step <= demo.length; ++step) {
        const std::string printed = captureStdout([&] {
            player.playStep(game);
            player.typeBeforeNextStep(game);
        });
        for (size_t at = printed.find("crossed\n"); at != std::string::npos;
             at = printed.find("crossed\n", at + 1)) {
            crossings += 1;
        }
        const Ship& ship = game.ship;
        if (ship.hasLock()) {
            EXPECT_EQ(ship.getLockedStone(), game.stones.at(ship.lockedIndex)) << "step " << step;
        }
        EXPECT_FALSE(game.stones.hasUnreleased() || game.debris.hasUnreleased()) << step;
        if (step % 250 == 0) {
            const Vector3 p = ship.getPosition();
            const Vector3 d = ship.getDirection();
            char line[256];
            std::snprintf(
                line, sizeof line,
                "frame %d score %d lives %d streaks %d/%d/%d combo %d stones %d debris %d "
                "craft %.3f %.3f dir %.3f %.3f lock %d hit %d over %d ready %d shot %d "
                "crossed %d\n",
                step, ship.getScore(), ship.getLives(), game.smallStreak, game.mediumStreak,
                game.largeStreak, game.comboTimer, game.stones.count(true), game.debris.count(true),
                p.x, p.z, d.x, d.z, ship.lockedIndex, ship.hit, game.gameOver,
                game.getReadyCountdown, ship.isShotActive(), crossings);
            dump += line;
        }
    }
    EXPECT_FALSE(player.playStep(game)); // the demo ends where it was closed
    return dump;
}

void compareWithExpected(const std::string& name, const std::string& actual) {
    const std::string path = std::string(WIBZ_REPLAY_DIR) + "/" + name + ".txt";
    const char* update = std::getenv("WIBZ_UPDATE_REPLAYS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path) << actual;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing " << path << " (WIBZ_UPDATE_REPLAYS=1 writes it)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << name;
}
} // namespace

// Chases whatever stone it can lock, firing as it goes: touches, pauses and game over.
TEST_F(GameTest, ReplayHunterRunsIntoStonesUntilTheGameIsOver) {
    compareWithExpected("hunter", play("hunter"));
    EXPECT_TRUE(game.gameOver);
    EXPECT_NE(describeState(game).find("\nlives 0\nover 1\nhit 1\n"), std::string::npos);
}

// Circles the far axis points along the field's edges, switching focus and firing.
TEST_F(GameTest, ReplayOrbiterCirclesTheAxisPoints) {
    compareWithExpected("orbiter", play("orbiter"));
    EXPECT_NE(describeState(game).find("\nover 0\nhit 0\n"), std::string::npos);
}

// Steps the lock through the stones and backs away from them, firing often.
TEST_F(GameTest, ReplayStepperWalksTheLockThroughTheStones) {
    compareWithExpected("stepper", play("stepper"));
}
