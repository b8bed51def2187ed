// test_replays.cpp -- whole scripted games at dt 0.01 from rand()'s default sequence, typed
// through the game's own key handling, a short state dump every 250 frames compared with
// the expected files in replays/. After a deliberate change of the rules, rewrite them with
// WIBZ_UPDATE_REPLAYS=1 and say why in the commit. Every frame also checks that a held lock
// points at a live stone and that every removed stone and debris piece has been released.
#include "game/game_state.h"
#include "game/object_list.h"
#include "game_fixture.h"
#include "platform/key_state.h"
#include "player/ship.h"
#include "shell/controls.h"
#include "test_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
// From frame `from` to `to`, every `every` frames: a character key typed (space fires, d
// locks or lets go, f and s step the focus), or else an arrow key pressed or released.
struct Cue {
    int from;
    int to;
    int every;
    char typed;
    PolledKey key = KEY_UP;
    bool down = true;
};

// Plays 4000 frames, dumping the state every 250.
std::string play(const std::vector<Cue>& script) {
    std::string dump;
    int crossings = 0;
    for (int frame = 1; frame <= 4000; ++frame) {
        // The cues come after the frame's step, so they act from the next frame on.
        std::string printed = playFrames(1);
        printed += captureStdout([&] {
            for (const Cue& cue : script) {
                if (frame < cue.from || frame > cue.to || (frame - cue.from) % cue.every != 0) {
                    continue;
                }
                if (cue.typed != 0) {
                    handleKey(game, static_cast<unsigned char>(cue.typed));
                } else if (cue.down) {
                    pressKey(cue.key);
                } else {
                    releaseKey(cue.key);
                }
            }
        });
        for (size_t at = printed.find("crossed\n"); at != std::string::npos;
             at = printed.find("crossed\n", at + 1)) {
            crossings += 1;
        }
        if (game.ship.hasLock()) {
            EXPECT_EQ(game.ship.getLockedStone(), game.stones.at(game.ship.lockedIndex))
                << "frame " << frame;
        }
        EXPECT_TRUE(std::isfinite(game.ship.getPosition().x) &&
                    std::isfinite(game.ship.getPosition().z));
        EXPECT_FALSE(game.stones.hasUnreleased() || game.debris.hasUnreleased()) << frame;
        if (frame % 250 == 0) {
            const Vector3 p = game.ship.getPosition();
            const Vector3 d = game.ship.getDirection();
            char line[256];
            std::snprintf(
                line, sizeof line,
                "frame %d score %d lives %d streaks %d/%d/%d combo %d stones %d debris %d "
                "craft %.3f %.3f dir %.3f %.3f lock %d hit %d over %d ready %d shot %d "
                "crossed %d\n",
                frame, game.ship.getScore(), game.ship.getLives(), game.smallStreak,
                game.mediumStreak, game.largeStreak, game.comboTimer, game.stones.count(true),
                game.debris.count(true), p.x, p.z, d.x, d.z, game.ship.lockedIndex, game.ship.hit,
                game.gameOver, game.getReadyCountdown, game.ship.isShotActive(), crossings);
            dump += line;
        }
    }
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
    compareWithExpected("hunter",
                        play({{1, 1, 1, 0, KEY_UP}, {50, 4000, 50, 'd'}, {97, 4000, 97, ' '}}));
    EXPECT_TRUE(game.gameOver);
}

// Circles the far axis points along the field's edges, switching focus and firing.
TEST_F(GameTest, ReplayOrbiterCirclesTheAxisPoints) {
    compareWithExpected("orbiter", play({{1, 1, 1, 0, KEY_RIGHT},
                                         {400, 3600, 400, 'f'},
                                         {120, 4000, 120, ' '},
                                         {1500, 1500, 1, 0, KEY_UP},
                                         {1800, 1800, 1, 0, KEY_UP, false},
                                         {2500, 2500, 1, 0, KEY_RIGHT, false},
                                         {2500, 2500, 1, 0, KEY_LEFT},
                                         {3000, 3600, 300, 's'}}));
}

// Steps the lock through the stones and backs away from them, firing often.
TEST_F(GameTest, ReplayStepperWalksTheLockThroughTheStones) {
    compareWithExpected("stepper", play({{210, 210, 1, 'd'},
                                         {300, 4000, 150, 'f'},
                                         {375, 4000, 300, 's'},
                                         {80, 4000, 80, ' '},
                                         {400, 4000, 600, 0, KEY_DOWN},
                                         {500, 4000, 600, 0, KEY_DOWN, false},
                                         {600, 4000, 600, 0, KEY_LEFT},
                                         {800, 4000, 600, 0, KEY_LEFT, false},
                                         {1000, 4000, 700, 'd'}}));
}
