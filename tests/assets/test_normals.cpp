// test_normals.cpp -- vertex normals: orientation, area weighting, zero sums, the objects an
// import leaves alone, and the one-pass builder matching the full scan bit for bit.
#include "assets/normals.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

// Vertex 0 of the first object is shared by a triangle of area 2 facing +z and one of
// area 1 facing +x, and by a zero-area sliver that still counts in the average. Vertex 4 is
// used by no face; the second object has only zero-area faces.
TEST(Normals, AreaWeightedOnTheCounterClockwiseSideZeroSumsPointUpAndEarlierObjectsAreKept) {
    Model model;
    model.objects.resize(2);
    ModelObject &a = model.objects[0], &b = model.objects[1];
    a.vertices = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {5, 5, 5}};
    a.faces = {{{0, 1, 2}, {}}, {{0, 2, 3}, {}}, {{0, 0, 1}, {}}};
    b.vertices = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
    b.faces = {{{0, 1, 2}, {}}, {{1, 1, 2}, {}}};
    a.normals.assign(5, Vector3(0.0f, 0.0f, 7.0f));
    computeNormals(model, 1); // an import computes the normals of the objects it added only
    EXPECT_TRUE(a.normals[1].equals(0.0f, 0.0f, 7.0f) && b.normals[0].equals(0.0f, 1.0f, 0.0f) &&
                b.normals[2].equals(0.0f, 1.0f, 0.0f));
    computeNormals(model);
    // Sum (2, 0, 4) over length sqrt(20); the plain average of the unit normals would be
    // (0.707, 0, 0.707). Vertex 4 points up instead of dividing by zero.
    EXPECT_TRUE(std::abs(a.normals[0].x - 0.4472136f) < 1e-6f && a.normals[0].y == 0.0f &&
                std::abs(a.normals[0].z - 0.8944272f) < 1e-6f);
    EXPECT_TRUE(a.normals[1].equals(0.0f, 0.0f, 1.0f) && a.normals[3].equals(1.0f, 0.0f, 0.0f) &&
                a.normals[4].equals(0.0f, 1.0f, 0.0f));
}

// Shared, repeated and unused vertices, as damaged or careless files have.
TEST(Normals, OnePassEqualsTheFullScanBitForBitOnRandomMeshes) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    for (int round = 0; round < 60; ++round) {
        Model fast;
        fast.objects.resize(1);
        ModelObject& object = fast.objects[0];
        std::uniform_int_distribution<int> index(0, 4 + 2 * round);
        for (int v = 0; v <= 4 + 2 * round; ++v) {
            object.vertices.emplace_back(coordinate(random), coordinate(random),
                                         coordinate(random));
        }
        for (int f = 0; f < 3 + 6 * round; ++f) {
            const int first = index(random), second = index(random);
            object.faces.push_back({{first, second, f % 7 == 0 ? first : index(random)}, {}});
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
