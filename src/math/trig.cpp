// trig.cpp -- reduction to a quarter turn around 0 with pi/2 held in three parts, then the
// classic minimax polynomials of sine and cosine on [-pi/4, pi/4]. Accurate to about one
// unit of a double's last place for any angle the craft turns by (up to millions of
// radians); beyond that less accurate, but still the same on every build.
#include "math/trig.h"

#include <cmath>

namespace {
constexpr double twoOverPi = 6.36619772367581382433e-01;
// pi/2 = halfPi1 + halfPi2 + halfPi3; the first two carry 33 bits each, so n x halfPi1 and
// n x halfPi2 are exact for the quarter-turn counts n the game meets.
constexpr double halfPi1 = 1.57079632673412561417e+00;
constexpr double halfPi2 = 6.07710050630396597660e-11;
constexpr double halfPi3 = 2.02226624879595063154e-21;

double sineNearZero(double r) {
    const double z = r * r;
    const double p =
        -1.66666666666666324348e-01 +
        z * (8.33333333332248946124e-03 +
             z * (-1.98412698298579493134e-04 +
                  z * (2.75573137070700676789e-06 +
                       z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10))));
    return r + r * z * p;
}

double cosineNearZero(double r) {
    const double z = r * r;
    const double p =
        4.16666666666666019037e-02 +
        z * (-1.38888888888741095749e-03 +
             z * (2.48015872894767294178e-05 +
                  z * (-2.75573143513906633035e-07 +
                       z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11))));
    return 1.0 - 0.5 * z + z * z * p;
}

// The sine of x shifted by quarterTurns quarter turns.
double sineWithQuarterTurns(double x, int quarterTurns) {
    if (!std::isfinite(x)) {
        return x - x; // NaN, as the C library gives
    }
    const double n = std::nearbyint(x * twoOverPi);
    const double r = ((x - n * halfPi1) - n * halfPi2) - n * halfPi3;
    const long long whole = static_cast<long long>(std::fmod(n, 4.0));
    switch ((whole + quarterTurns + 4) & 3) {
    case 0:
        return sineNearZero(r);
    case 1:
        return cosineNearZero(r);
    case 2:
        return -sineNearZero(r);
    default:
        return -cosineNearZero(r);
    }
}
} // namespace

double sineOf(double radians) {
    return sineWithQuarterTurns(radians, 0);
}

double cosineOf(double radians) {
    return sineWithQuarterTurns(radians, 1);
}
