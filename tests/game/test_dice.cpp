// test_dice.cpp -- the game's dice give what this platform's unseeded rand() gives, and a
// reset game throws them again from the start.
#include "game/dice.h"
#include "game/game_setup.h"
#include "game_fixture.h"

#include <cstdlib>

// The test program never seeds the C library, so rand() here is glibc's unseeded sequence.
TEST(Dice, RollTheNumbersOfTheUnseededCLibraryGenerator) {
    Dice dice;
    for (int k = 0; k < 100000; ++k) {
        ASSERT_EQ(dice.roll(), std::rand()) << "roll " << k;
    }
}

// Two games begun in one process draw the same stones: the first game's rolls are gone.
TEST_F(GameTest, AResetGameRollsItsDiceFromTheStart) {
    playSteps(1202);
    const GameObject first = *game.stones.at(2);
    beginGame(game);
    playSteps(1202);
    const GameObject& again = *game.stones.at(2);
    EXPECT_TRUE(first.vx == again.vx && first.vy == again.vy && first.x == again.x);
}
