// test_vector3.cpp -- the vector operations the craft and the model normals rest on.
#include "math/vector3.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
void expectNear(Vector3 v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}
} // namespace

TEST(Vector3, QuarterTurnAboutUpCarriesXOntoMinusZ) {
    const float quarter = 3.14159265f / 2.0f;
    const Vector3 r = rotateAbout(Vector3(1, 0, 0), Vector3(0, 0, 0), quarter, 0, 1, 0);
    expectNear(r, 0.0f, 0.0f, -1.0f);
    // About a pivot: (3, 0, 2) around (2, 0, 2) ends one unit in -z of the pivot.
    expectNear(rotateAbout(Vector3(3, 5, 2), Vector3(2, 0, 2), quarter, 0, 1, 0), 2, 5, 1);
    // Right-handed about z: x goes to y.
    expectNear(rotateAbout(Vector3(1, 0, 0), Vector3(0, 0, 0), quarter, 0, 0, 1), 0, 1, 0);
}

TEST(Vector3, RotationLeavesPointsOnTheAxisAndZeroAngleAlone) {
    const Vector3 pivot(1.5f, -2.0f, 4.0f);
    const Vector3 axis = normalize(Vector3(1, 2, 2));
    const Vector3 onAxis = pivot + axis * 3.0f;
    for (float angle : {0.3f, 1.7f, -2.9f}) {
        expectNear(rotateAbout(onAxis, pivot, angle, axis.x, axis.y, axis.z), onAxis.x, onAxis.y,
                   onAxis.z, 1e-5f);
    }
    const Vector3 p(7.25f, -3.5f, 0.125f);
    const Vector3 same = rotateAbout(p, Vector3(0, 0, 0), 0.0f, 0, 1, 0);
    EXPECT_TRUE(same.equals(p.x, p.y, p.z)); // exact: R is the identity
}

TEST(Vector3, CrossNormalizeAndLength) {
    expectNear(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), 0, 0, 1);
    const Vector3 a(2, -3, 5);
    const Vector3 b(-1, 4, 0.5f);
    EXPECT_TRUE(cross(a, a).equals(0, 0, 0));
    const Vector3 ab = cross(a, b);
    const Vector3 ba = cross(b, a);
    EXPECT_TRUE(ab.equals(-ba.x, -ba.y, -ba.z));

    expectNear(normalize(Vector3(3, 0, 4)), 0.6f, 0.0f, 0.8f);
    const Vector3 nan = normalize(Vector3(0, 0, 0));
    EXPECT_TRUE(std::isnan(nan.x) && std::isnan(nan.y) && std::isnan(nan.z));
    EXPECT_FALSE(nan.equals(nan.x, nan.y, nan.z));
    EXPECT_EQ(length(Vector3(1, 2, 2)), 3.0f);
    EXPECT_EQ(Vector3(0, 0, 0).length(), 0.0f);
    EXPECT_TRUE(Vector3(-0.0f, 0, 0).equals(0, 0, 0));
}

TEST(Vector3, PrintUsesSevenWideTwoDecimalFields) {
    const std::string out = captureStdout([] { Vector3(1, -2.5f, 1000).print(); });
    EXPECT_EQ(out, "x:   1.00  y:  -2.50  z:1000.00\n");
    EXPECT_EQ(captureStdout([] { Vector3(-42, 0, 38).print(); }),
              "x: -42.00  y:   0.00  z:  38.00\n");
}
