// dice.cpp -- r[i] = r[i-3] + r[i-31] modulo 2^32, each number r >> 1, the table filled
// from seed 1 by the Park-Miller generator and the first 310 numbers thrown away, as glibc
// does.
#include "game/dice.h"

namespace {
constexpr std::int32_t seed = 1;
constexpr int discardedRolls = 310;

// 16807 x value modulo 2^31 - 1 without overflow (Schrage's method).
std::int32_t parkMiller(std::int32_t value) {
    const std::int32_t high = value / 127773;
    const std::int32_t low = value % 127773;
    std::int32_t next = 16807 * low - 2836 * high;
    if (next < 0) {
        next += 2147483647;
    }
    return next;
}
} // namespace

Dice::Dice() {
    std::int32_t value = seed;
    table[0] = static_cast<std::uint32_t>(value);
    for (int i = 1; i < degree; ++i) {
        value = parkMiller(value);
        table[i] = static_cast<std::uint32_t>(value);
    }
    for (int i = 0; i < discardedRolls; ++i) {
        roll();
    }
}

int Dice::roll() {
    table[front] += table[rear];
    const int result = static_cast<int>(table[front] >> 1);
    front = front + 1 == degree ? 0 : front + 1;
    rear = rear + 1 == degree ? 0 : rear + 1;
    return result;
}
