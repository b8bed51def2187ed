// test_trig.cpp -- the game's own sine and cosine, rounded to float as the rules use them,
// against the C library's over the angles the craft turns by, and at the quadrants' edges.
#include "math/trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(Trig, RoundedToFloatTheyAgreeWithTheCLibrary) {
    std::mt19937 random(2026);
    for (const float range : {0.001f, 1.0f, 10.0f, 1000.0f, 1.0e6f}) {
        std::uniform_real_distribution<float> angles(-range, range);
        int differ = 0;
        for (int k = 0; k < 200000; ++k) {
            const float a = angles(random);
            const double x = static_cast<double>(a);
            differ += static_cast<float>(sineOf(x)) != static_cast<float>(std::sin(x));
            differ += static_cast<float>(cosineOf(x)) != static_cast<float>(std::cos(x));
        }
        EXPECT_EQ(differ, 0) << "angles within " << range;
    }
    // Whole and half quarter turns, where the reduction changes quadrant.
    for (int q = -8; q <= 8; ++q) {
        const double x = static_cast<double>(static_cast<float>(q * 0.7853981633974483));
        EXPECT_EQ(static_cast<float>(sineOf(x)), static_cast<float>(std::sin(x))) << q;
        EXPECT_EQ(static_cast<float>(cosineOf(x)), static_cast<float>(std::cos(x))) << q;
    }
    EXPECT_TRUE(std::isnan(sineOf(INFINITY)) && std::isnan(cosineOf(NAN)));
    EXPECT_EQ(sineOf(0.0), 0.0);
    EXPECT_EQ(cosineOf(0.0), 1.0);
}
