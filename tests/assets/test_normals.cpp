// test_normals.cpp -- vertex normals: orientation, area weighting, zero sums, and the
// one-pass builder matching the full scan bit for bit.
#include "assets/normals.h"

#include <cmath>
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

Model modelOf(ModelObject object) {
    Model model;
    model.objects.push_back(std::move(object));
    model.objectCount = 1;
    return model;
}

// A mesh with shared, repeated and unused vertices, as damaged or careless files have.
ModelObject randomObject(std::mt19937& random, int vertexCount, int faceCount) {
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    std::uniform_int_distribution<int> index(0, vertexCount - 1);
    std::vector<Vector3> vertices;
    for (int v = 0; v < vertexCount; ++v) {
        vertices.emplace_back(coordinate(random), coordinate(random), coordinate(random));
    }
    std::vector<std::array<int, 3>> faces;
    for (int f = 0; f < faceCount; ++f) {
        std::array<int, 3> face = {index(random), index(random), index(random)};
        if (f % 7 == 0) {
            face[2] = face[0]; // a face naming one vertex twice
        }
        faces.push_back(face);
    }
    return objectOf(std::move(vertices), std::move(faces));
}
} // namespace

TEST(Normals, SingleTriangleFacesTheSideItRunsCounterClockwiseFrom) {
    Model model = modelOf(objectOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}));
    computeNormals(model);
    for (const Vector3& n : model.objects[0].normals) {
        EXPECT_TRUE(n.equals(0.0f, 0.0f, 1.0f)) << n.x << " " << n.y << " " << n.z;
    }
}

TEST(Normals, LargerTrianglesWeighMoreAndDegenerateOnesAddNothing) {
    // Vertex 0 is shared by a triangle of area 2 facing +z and one of area 1 facing +x,
    // and by a zero-area sliver that still counts in the average.
    Model model = modelOf(objectOf({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {5, 5, 5}},
                                   {{0, 1, 2}, {0, 2, 3}, {0, 0, 1}}));
    computeNormals(model);
    const Vector3 shared = model.objects[0].normals[0];
    // Sum (2, 0, 4) over length sqrt(20); the plain average of the unit normals would be
    // (0.707, 0, 0.707).
    EXPECT_NEAR(shared.x, 0.4472136f, 1e-6f);
    EXPECT_NEAR(shared.y, 0.0f, 1e-6f);
    EXPECT_NEAR(shared.z, 0.8944272f, 1e-6f);
    EXPECT_TRUE(model.objects[0].normals[3].equals(1.0f, 0.0f, 0.0f));
    // Used by no face: the defined upward normal instead of a division by zero.
    EXPECT_TRUE(model.objects[0].normals[4].equals(0.0f, 1.0f, 0.0f));
}

TEST(Normals, VerticesOfOnlyZeroAreaFacesPointUp) {
    Model model = modelOf(objectOf({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {{0, 1, 2}, {1, 1, 2}}));
    computeNormals(model);
    for (const Vector3& n : model.objects[0].normals) {
        EXPECT_TRUE(n.equals(0.0f, 1.0f, 0.0f));
    }
}

TEST(Normals, OnePassEqualsTheFullScanBitForBitOnRandomMeshes) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        Model fast;
        for (int o = 0; o < 3; ++o) {
            fast.objects.push_back(randomObject(random, 5 + round * 7 + o, 3 + round * 19));
        }
        fast.objectCount = 3;
        Model slow = fast;
        computeNormals(fast);
        computeNormalsFullScan(slow);
        for (std::size_t o = 0; o < fast.objects.size(); ++o) {
            const std::vector<Vector3>& a = fast.objects[o].normals;
            const std::vector<Vector3>& b = slow.objects[o].normals;
            ASSERT_EQ(a.size(), fast.objects[o].vertices.size());
            ASSERT_EQ(a.size(), b.size());
            EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(Vector3)), 0)
                << "round " << round << " object " << o;
        }
    }
}

TEST(Normals, RecomputingReplacesTheArrayWithTheSameValues) {
    std::mt19937 random(99);
    Model model = modelOf(randomObject(random, 40, 60));
    computeNormals(model);
    const std::vector<Vector3> first = model.objects[0].normals;
    computeNormals(model);
    ASSERT_EQ(model.objects[0].normals.size(), first.size());
    EXPECT_EQ(
        std::memcmp(model.objects[0].normals.data(), first.data(), first.size() * sizeof(Vector3)),
        0);
}

// An import computes the normals of the objects it added only; the earlier ones keep theirs.
TEST(Normals, ObjectsBeforeTheFirstGivenKeepTheirNormals) {
    std::mt19937 random(7);
    Model model = modelOf(randomObject(random, 30, 40));
    model.objects.push_back(randomObject(random, 30, 40));
    model.objectCount = 2;
    const std::vector<Vector3> earlier(30, Vector3(0.0f, 0.0f, 7.0f));
    model.objects[0].normals = earlier;
    computeNormals(model, 1);
    ASSERT_EQ(model.objects[0].normals.size(), earlier.size());
    EXPECT_EQ(std::memcmp(model.objects[0].normals.data(), earlier.data(), 30 * sizeof(Vector3)),
              0);
    Model scanned = model;
    computeNormalsFullScan(scanned);
    ASSERT_EQ(model.objects[1].normals.size(), 30u);
    EXPECT_EQ(std::memcmp(model.objects[1].normals.data(), scanned.objects[1].normals.data(),
                          30 * sizeof(Vector3)),
              0);
}
