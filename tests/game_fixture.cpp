// game_fixture.cpp -- the scripted game set-up shared by the rule, player and replay tests.
#include "game_fixture.h"

#include "controls/step_input.h"
#include "game/game_setup.h"
#include "game/step.h"

void GameTest::SetUp() {
    forgetKeys();
    beginGame(game);
}

void GameTest::TearDown() {
    resetGame(game);
    forgetKeys();
}

std::string playSteps(int count) {
    std::string console;
    for (int s = 0; s < count; ++s) {
        for (const GameEvent& event : advance(game, readStepInput())) {
            console += consoleText(event);
        }
    }
    return console;
}

GameObject& addStone(int size, float x, float y, float z, float gravity) {
    game.stones.append(makeSpec(size, 0.0f, 0.0f, gravity, x, y, z), newObjectId(game));
    return *game.stones.at(game.stones.count(false) - 1);
}

std::string lastStepEvents() {
    std::string text;
    for (const GameEvent& event : game.events) {
        if (isLogged(event.kind)) {
            text += describeEvent(event) + "\n";
        }
    }
    return text;
}
