// test_vector3.cpp -- the vector operations the craft and the model normals rest on.
#include "math/vector3.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
void expectNear(Vector3 v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_TRUE(std::fabs(v.x - x) < tolerance && std::fabs(v.y - y) < tolerance &&
                std::fabs(v.z - z) < tolerance)
        << v.x << " " << v.y << " " << v.z;
}
} // namespace

TEST(Vector3, RotationIsRightHandedAboutItsPivotAndLeavesTheAxisAlone) {
    const float quarter = 3.14159265f / 2.0f;
    expectNear(rotateAbout(Vector3(1, 0, 0), Vector3(0, 0, 0), quarter, 0, 0, 1), 0, 1, 0);
    expectNear(rotateAbout(Vector3(3, 5, 2), Vector3(2, 0, 2), quarter, 0, 1, 0), 2, 5, 1);
    const Vector3 pivot(1.5f, -2.0f, 4.0f);
    const Vector3 axis = normalize(Vector3(1, 2, 2));
    const Vector3 onAxis = pivot + axis * 3.0f;
    for (float angle : {0.3f, 1.7f, -2.9f}) {
        expectNear(rotateAbout(onAxis, pivot, angle, axis.x, axis.y, axis.z), onAxis.x, onAxis.y,
                   onAxis.z);
    }
    const Vector3 p(7.25f, -3.5f, 0.125f);
    EXPECT_TRUE(rotateAbout(p, Vector3(0, 0, 0), 0.0f, 0, 1, 0).equals(p.x, p.y, p.z)); // exact
}

TEST(Vector3, CrossNormalizeLengthAndExactEquality) {
    expectNear(cross(Vector3(2, -3, 5), Vector3(-1, 4, 0.5f)), -21.5f, -6.0f, 5.0f);
    expectNear(normalize(Vector3(3, 0, 4)), 0.6f, 0.0f, 0.8f);
    const Vector3 nan = normalize(Vector3(0, 0, 0)); // no guard: callers check the length
    EXPECT_TRUE(std::isnan(nan.x) && std::isnan(nan.y) && std::isnan(nan.z));
    EXPECT_FALSE(nan.equals(nan.x, nan.y, nan.z));
    EXPECT_EQ(length(Vector3(1, 2, 2)), 3.0f);
    EXPECT_TRUE(Vector3(-0.0f, 0, 0).equals(0, 0, 0));
}
