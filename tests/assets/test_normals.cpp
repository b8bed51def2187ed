// test_normals.cpp -- vertex normals: orientation, area weighting, zero sums, the objects an
// import leaves alone, and the one-pass builder matching the full scan bit for bit.
#include "assets/normals.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {
ModelObject objectOf(std::vector<Vector3> vertices, std::vector<std::array<int, 3>> faces) {
    ModelObject object;
    object.vertexCount = static_cast<std::int32_t>(vertices.size());
    object.vertices = std::move(vertices);
    for (const auto& f : faces) {
        object.faces.push_back(ModelFace{{f[0], f[1], f[2]}, {0, 0, 0}});
    }
    object.faceCount = static_cast<std::int32_t>(object.faces.size());
    return object;
}
} // namespace

// Vertex 0 of the first object is shared by a triangle of area 2 facing +z and one of
// area 1 facing +x, and by a zero-area sliver that still counts in the average. Vertex 4 is
// used by no face; the second object has only zero-area faces.
TEST(Normals, AreaWeightedOnTheCounterClockwiseSideZeroSumsPointUpAndEarlierObjectsAreKept) {
    Model model;
    model.objects = {objectOf({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {5, 5, 5}},
                              {{0, 1, 2}, {0, 2, 3}, {0, 0, 1}}),
                     objectOf({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {{0, 1, 2}, {1, 1, 2}})};
    model.objectCount = 2;
    // An import computes the normals of the objects it added only.
    model.objects[0].normals.assign(5, Vector3(0.0f, 0.0f, 7.0f));
    computeNormals(model, 1);
    EXPECT_TRUE(model.objects[0].normals[1].equals(0.0f, 0.0f, 7.0f));
    for (const Vector3& flat : model.objects[1].normals) {
        EXPECT_TRUE(flat.equals(0.0f, 1.0f, 0.0f));
    }
    computeNormals(model);
    const std::vector<Vector3>& n = model.objects[0].normals;
    // Sum (2, 0, 4) over length sqrt(20); the plain average of the unit normals would be
    // (0.707, 0, 0.707).
    EXPECT_NEAR(n[0].x, 0.4472136f, 1e-6f);
    EXPECT_NEAR(n[0].y, 0.0f, 1e-6f);
    EXPECT_NEAR(n[0].z, 0.8944272f, 1e-6f);
    EXPECT_TRUE(n[1].equals(0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(n[3].equals(1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(n[4].equals(0.0f, 1.0f, 0.0f)); // instead of a division by zero
}

TEST(Normals, OnePassEqualsTheFullScanBitForBitOnRandomMeshes) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    for (int round = 0; round < 60; ++round) {
        // Shared, repeated and unused vertices, as damaged or careless files have.
        Model fast;
        fast.objects.resize(1);
        ModelObject& object = fast.objects[0];
        std::uniform_int_distribution<int> index(0, 4 + 2 * round);
        for (int v = 0; v <= 4 + 2 * round; ++v) {
            object.vertices.emplace_back(coordinate(random), coordinate(random),
                                         coordinate(random));
        }
        for (int f = 0; f < 3 + 6 * round; ++f) {
            const int first = index(random);
            const int second = index(random);
            object.faces.push_back(
                {{first, second, f % 7 == 0 ? first : index(random)}, {0, 0, 0}});
        }
        Model slow = fast;
        computeNormals(fast);
        computeNormalsFullScan(slow);
        const std::vector<Vector3>& a = fast.objects[0].normals;
        ASSERT_TRUE(a.size() == object.vertices.size() &&
                    slow.objects[0].normals.size() == a.size());
        EXPECT_EQ(std::memcmp(a.data(), slow.objects[0].normals.data(), a.size() * sizeof(Vector3)),
                  0)
            << "round " << round;
    }
}
