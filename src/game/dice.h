// dice.h -- the game's own random numbers, owned by the game state and reset with it: the
// sequence of glibc's unseeded rand() (its additive feedback generator from seed 1), which
// the recorded demos' games rest on, made here so that no C library, system or other caller
// of rand() in the process can change it.
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
