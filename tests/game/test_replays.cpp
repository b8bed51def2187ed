// test_replays.cpp -- whole scripted games at dt 0.01 from rand()'s default sequence, a
// short state dump every 250 frames compared with the expected files in replays/. After a
// deliberate change of the rules, rewrite them with WIBZ_UPDATE_REPLAYS=1 and say why in the
// commit. Every frame also checks that a held lock points at a live stone and that every
// removed stone and debris piece has been released.
#include "game/game_state.h"
#include "game/object_list.h"
#include "game_fixture.h"
#include "platform/key_state.h"
#include "player/arena.h"
#include "player/ship.h"
#include "test_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
constexpr int dumpEveryFrames = 250;

// The lock key: unlock when locked, else lock stone 1; not while hit.
void lockKey(PolledKey) {
    if (!ship.hit && ship.hasLock()) {
        ship.unlock();
    } else if (!ship.hit) {
        ship.lockNext(stoneList);
    }
}

// The focus keys: step the lock while one is held, else step the axis point.
void nextFocus(PolledKey) {
    if (!ship.hasLock() || !ship.lockNext(stoneList)) {
        ship.setFocus(arena.nextAxis());
    }
}

void previousFocus(PolledKey) {
    if (!ship.hasLock() || !ship.lockPrevious(stoneList)) {
        ship.setFocus(arena.previousAxis());
    }
}

void fire(PolledKey) {
    ship.fireShot();
}

// From frame `from` to `to`, every `every` frames: act (the key matters to press and
// release only).
struct Cue {
    int from;
    int to;
    int every;
    void (*act)(PolledKey);
    PolledKey key;
};

void dumpState(std::ostringstream& out, int frame, int crossings) {
    const Vector3 p = ship.getPosition();
    const Vector3 d = ship.getDirection();
    char line[256];
    std::snprintf(line, sizeof line,
                  "frame %d score %d lives %d streaks %d/%d/%d combo %d stones %d debris %d "
                  "craft %.3f %.3f dir %.3f %.3f lock %d hit %d over %d ready %d shot %d "
                  "crossed %d\n",
                  frame, ship.getScore(), ship.getLives(), smallStreak, mediumStreak, largeStreak,
                  comboTimer, stoneList.count(true), debrisList.count(true), p.x, p.z, d.x, d.z,
                  ship.lockedIndex, ship.hit, gameOver, getReadyCountdown, ship.isShotActive(),
                  crossings);
    out << line;
}

int countOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        n += 1;
    }
    return n;
}

std::string play(const std::vector<Cue>& script, int frames) {
    std::ostringstream dump;
    int crossings = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        const std::string printed = captureStdout([&] {
                                        for (const Cue& cue : script) {
                                            if (frame >= cue.from && frame <= cue.to &&
                                                (frame - cue.from) % cue.every == 0) {
                                                cue.act(cue.key);
                                            }
                                        }
                                    }) +
                                    playFrames(1);
        crossings += countOf(printed, "crossed\n");
        if (ship.hasLock()) {
            EXPECT_EQ(ship.getLockedStone(), stoneList.at(ship.lockedIndex)) << "frame " << frame;
        }
        EXPECT_TRUE(std::isfinite(ship.getPosition().x) && std::isfinite(ship.getPosition().z));
        EXPECT_FALSE(stoneList.hasUnreleased() || debrisList.hasUnreleased()) << frame;
        if (frame % dumpEveryFrames == 0) {
            dumpState(dump, frame, crossings);
        }
    }
    return dump.str();
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
    const std::vector<Cue> script = {
        {1, 1, 1, pressKey, KEY_UP},
        {50, 4000, 50, lockKey, KEY_UP},
        {97, 4000, 97, fire, KEY_UP},
    };
    const std::string dump = play(script, 4000);
    EXPECT_TRUE(gameOver);
    compareWithExpected("hunter", dump);
}

// Circles the far axis points along the field's edges, switching focus and firing.
TEST_F(GameTest, ReplayOrbiterCirclesTheAxisPoints) {
    const std::vector<Cue> script = {
        {1, 1, 1, pressKey, KEY_RIGHT},      {400, 3600, 400, nextFocus, KEY_UP},
        {120, 4000, 120, fire, KEY_UP},      {1500, 1500, 1, pressKey, KEY_UP},
        {1800, 1800, 1, releaseKey, KEY_UP}, {2500, 2500, 1, releaseKey, KEY_RIGHT},
        {2500, 2500, 1, pressKey, KEY_LEFT}, {3000, 3600, 300, previousFocus, KEY_UP},
    };
    compareWithExpected("orbiter", play(script, 4000));
}

// Steps the lock through the stones and backs away from them, firing often.
TEST_F(GameTest, ReplayStepperWalksTheLockThroughTheStones) {
    const std::vector<Cue> script = {
        {210, 210, 1, lockKey, KEY_UP},          {300, 4000, 150, nextFocus, KEY_UP},
        {375, 4000, 300, previousFocus, KEY_UP}, {80, 4000, 80, fire, KEY_UP},
        {400, 4000, 600, pressKey, KEY_DOWN},    {500, 4000, 600, releaseKey, KEY_DOWN},
        {600, 4000, 600, pressKey, KEY_LEFT},    {800, 4000, 600, releaseKey, KEY_LEFT},
        {1000, 4000, 700, lockKey, KEY_UP},
    };
    compareWithExpected("stepper", play(script, 4000));
}
