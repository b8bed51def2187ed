// game_fixture.cpp -- the scripted game set-up shared by the rule, player and replay tests.
#include "game_fixture.h"

#include "controls/step_input.h"
#include "game/game_setup.h"
#include "game/step.h"
#include "test_support.h"

void GameTest::SetUp() {
    forgetKeys();
    captureStdout([] { beginGame(game); });
}

void GameTest::TearDown() {
    resetGame(game);
    forgetKeys();
}

std::string playFrames(int count, double millisecondsPerFrame) {
    const float dt = static_cast<float>(millisecondsPerFrame / 1000.0);
    return captureStdout([&] {
        for (int f = 0; f < count; ++f) {
            advance(game, readStepInput(), dt);
        }
    });
}

GameObject& addStone(int size, float x, float y, float z, float gravity) {
    game.stones.append(makeSpec(size, 0.0f, 0.0f, gravity, x, y, z));
    return *game.stones.at(game.stones.count(false) - 1);
}

std::string lastStepEvents() {
    std::string text;
    for (const GameEvent& event : game.events) {
        text += describeEvent(event) + "\n";
    }
    return text;
}
