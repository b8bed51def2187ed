// game_fixture.cpp -- the scripted game set-up shared by the rule, player and replay tests.
#include "game_fixture.h"

#include "game/frame_step.h"
#include "game/game_setup.h"
#include "game/object_list.h"
#include "platform/clock.h"
#include "test_support.h"

#include <cstdlib>

void GameTest::SetUp() {
    std::srand(1); // glibc's default state: the unseeded game's sequence
    scriptedMilliseconds = 1000.0;
    setClockSource(scriptedClock);
    captureStdout([] { beginGame(); });
}

void GameTest::TearDown() {
    resetGame();
    setClockSource(nullptr);
}

std::string playFrames(int count, double millisecondsPerFrame) {
    return captureStdout([&] {
        for (int f = 0; f < count; ++f) {
            scriptedMilliseconds += millisecondsPerFrame;
            advanceFrame();
        }
    });
}

GameObject& addStone(int size, float x, float y, float z, float gravity) {
    stoneList.append(makeSpec(size, 0.0f, 0.0f, gravity, x, y, z));
    return *stoneList.at(stoneList.count(false) - 1);
}
