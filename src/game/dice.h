// dice.h -- the game's own random numbers, owned by the game state and reset with it. They
// are the numbers of glibc's unseeded rand() (its additive feedback generator, seed 1), so
// every game played before the game had its own dice plays the same; but they no longer
// depend on the C library, the system or anything else in the process that draws numbers.
#pragma once

#include <cstdint>

class Dice {
  public:
    // The largest number roll() gives (glibc's RAND_MAX).
    static constexpr int maxRoll = 2147483647;

    Dice();
    // A number from 0 to maxRoll.
    int roll();

  private:
    static constexpr int degree = 31;
    static constexpr int separation = 3;
    std::uint32_t table[degree];
    int front = separation;
    int rear = 0;
};
