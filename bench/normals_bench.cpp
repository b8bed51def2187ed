// normals_bench.cpp -- times the one-pass normals against the full scan on a terrain-like
// grid of about 100,000 triangles, and checks that both give the same bits.
//   wibz_bench_normals [CELLS_PER_SIDE]   (default 224: 100,352 triangles)
#include "assets/normals.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
ModelObject gridObject(int cells) {
    ModelObject object;
    const int side = cells + 1;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const float x = static_cast<float>(column);
            const float z = static_cast<float>(row);
            object.vertices.emplace_back(x, std::sin(x * 0.3f) * std::cos(z * 0.2f) * 3.0f, z);
        }
    }
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            const int a = row * side + column;
            object.faces.push_back(ModelFace{{a, a + side, a + side + 1}, {0, 0, 0}});
            object.faces.push_back(ModelFace{{a, a + side + 1, a + 1}, {0, 0, 0}});
        }
    }
    object.vertexCount = static_cast<std::int32_t>(object.vertices.size());
    object.faceCount = static_cast<std::int32_t>(object.faces.size());
    return object;
}

template <typename Fn> double secondsOf(Fn fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv) {
    const int cells = argc > 1 ? std::atoi(argv[1]) : 224;
    Model fast;
    fast.objects.push_back(gridObject(cells));
    fast.objectCount = 1;
    Model slow = fast;
    const double onePass = secondsOf([&] { computeNormals(fast); });
    const double fullScan = secondsOf([&] { computeNormalsFullScan(slow); });
    const auto& a = fast.objects[0].normals;
    const bool same =
        std::memcmp(a.data(), slow.objects[0].normals.data(), a.size() * sizeof(Vector3)) == 0;
    std::printf("%d vertices, %d triangles\n", fast.objects[0].vertexCount,
                fast.objects[0].faceCount);
    std::printf("one pass %.4f s, full scan %.3f s, speed-up %.0fx, identical %s\n", onePass,
                fullScan, fullScan / onePass, same ? "yes" : "no");
    return same ? 0 : 1;
}
