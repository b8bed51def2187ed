// game_fixture.cpp -- the scripted game set-up shared by the rule, player and replay tests.
#include "game_fixture.h"

#include "game/game_setup.h"
#include "game/step.h"
#include "session/step_input.h"
#include "test_support.h"

void GameTest::SetUp() {
    forgetKeys();
    captureStdout([] { beginGame(game); });
}

void GameTest::TearDown() {
    resetGame(game);
    forgetKeys();
}

std::string playSteps(int count) {
    return captureStdout([&] {
        for (int s = 0; s < count; ++s) {
            advance(game, readStepInput());
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
