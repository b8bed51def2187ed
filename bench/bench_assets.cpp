// bench_assets.cpp -- the 3DS import of each generated model (run in the data folder), and
// the vertex normals for 1,000, 10,000 and 100,000 triangles, one pass against the full
// scan of the faces for every vertex. The full scan of 100,000 triangles takes seconds, so
// it runs once; both give the same bits, which the scan's benchmark checks.
#include "bench_support.h"

#include "assets/data_files.h"
#include "assets/model_reader.h"
#include "assets/normals.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

namespace {
void import3ds(benchmark::State& state) {
    const char* path = modelFiles[state.range(0)].path;
    state.SetLabel(path);
    if (!dataFolderPresent()) {
        state.SkipWithError("run in the data folder (build/data)");
        return;
    }
    ModelReader reader;
    for (auto _ : state) {
        Model model; // each import into a fresh model, as the inspector reads a file
        benchmark::DoNotOptimize(reader.import3ds(model, path));
    }
}
BENCHMARK(import3ds)
    ->DenseRange(0, static_cast<int>(modelFileCount) - 1)
    ->Unit(benchmark::kMicrosecond);

// A terrain-like grid of rows x columns cells, two triangles each, sharing vertices as a
// modelled mesh does (six triangles meet at an inner vertex).
Model gridModel(int triangles) {
    const int rows = triangles >= 100000 ? 200 : triangles >= 10000 ? 50 : 20;
    const int columns = triangles / (2 * rows);
    ModelObject object;
    const int side = columns + 1;
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column <= columns; ++column) {
            const float x = static_cast<float>(column);
            const float z = static_cast<float>(row);
            object.vertices.emplace_back(x, std::sin(x * 0.3f) * std::cos(z * 0.2f) * 3.0f, z);
        }
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int a = row * side + column;
            object.faces.push_back(ModelFace{{a, a + side, a + side + 1}, {0, 0, 0}});
            object.faces.push_back(ModelFace{{a, a + side + 1, a + 1}, {0, 0, 0}});
        }
    }
    object.vertexCount = static_cast<std::int32_t>(object.vertices.size());
    object.faceCount = static_cast<std::int32_t>(object.faces.size());
    Model model;
    model.objects.push_back(object);
    model.objectCount = 1;
    return model;
}

void normalsOnePass(benchmark::State& state) {
    Model model = gridModel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        computeNormals(model);
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = model.objects[0].faceCount;
    state.SetComplexityN(state.range(0));
}
BENCHMARK(normalsOnePass)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void normalsFullScan(benchmark::State& state) {
    Model model = gridModel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        computeNormalsFullScan(model);
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = model.objects[0].faceCount;
    Model onePass = model;
    computeNormals(onePass);
    const auto& scanned = model.objects[0].normals;
    if (std::memcmp(scanned.data(), onePass.objects[0].normals.data(),
                    scanned.size() * sizeof(Vector3)) != 0) {
        state.SkipWithError("the one-pass normals differ from the full scan's");
    }
}
BENCHMARK(normalsFullScan)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(normalsFullScan)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
