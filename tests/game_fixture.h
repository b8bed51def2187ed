// game_fixture.h -- a whole game at its start, as main leaves it, and helpers that play
// steps and put stones where a scenario needs them.
#pragma once

#include "game/game_state.h"

#include <gtest/gtest.h>
#include <string>

// Every test starts from the same state: the game reset and begun (its dice too), no key
// held and no command queued; it is reset again afterwards so the next test in the process
// finds the game as built.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Advances count steps with the keys as held and the commands queued; returns what the
// console shows of their events.
std::string playSteps(int count);

// The last step's events that logs keep, one describeEvent line each.
std::string lastStepEvents();

// Appends a stone of the given size at rest at (x, y, z) in record axes, with no gravity
// unless given, and returns it.
GameObject& addStone(int size, float x, float y, float z, float gravity = 0.0f);
