// main.cpp -- wibz3d-model FILE...: reads each 3DS file into a fresh model exactly as the
// game does and prints what the game would get: materials, objects, counts and bounds in
// the game's axes. Exit status 0 when every file was read, 1 otherwise.
#include "assets/model.h"
#include "assets/model_reader.h"

#include <algorithm>
#include <cstdio>

namespace {
void printMaterial(int number, const ModelMaterial& material) {
    std::printf("material %d \"%s\" map \"%s\" colour %d %d %d\n", number, material.name,
                material.mapFile, material.colour[0], material.colour[1], material.colour[2]);
}

// Adding zero turns -0 into 0, so a flipped axis never prints "-0.000".
double printable(float value) {
    return static_cast<double>(value + 0.0f);
}

// An object without vertices has no extent: its bounds print as zeros.
void printObject(int number, const ModelObject& object) {
    Vector3 low(0.0f, 0.0f, 0.0f);
    Vector3 high(0.0f, 0.0f, 0.0f);
    if (!object.vertices.empty()) {
        low = high = object.vertices.front();
    }
    for (const Vector3& v : object.vertices) {
        low = Vector3(std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z));
        high = Vector3(std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z));
    }
    std::printf("object %d \"%s\" vertices %d faces %d texcoords %d material %d textured %s "
                "bounds %.3f %.3f %.3f %.3f %.3f %.3f\n",
                number, object.name, object.vertexCount, object.faceCount, object.texCoordCount,
                object.materialId, object.hasTexture ? "yes" : "no", printable(low.x),
                printable(low.y), printable(low.z), printable(high.x), printable(high.y),
                printable(high.z));
}

bool inspect(const char* path) {
    Model model;
    ModelReader reader;
    const bool ok = reader.import3ds(model, path);
    if (ok) {
        std::printf("file %s: ok\n", path);
    } else {
        std::printf("file %s: error %s\n", path, reader.lastError());
    }
    for (int i = 0; i < model.materialCount; ++i) {
        printMaterial(i, model.materials[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < model.objectCount; ++i) {
        printObject(i, model.objects[static_cast<std::size_t>(i)]);
    }
    return ok;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wibz3d-model FILE...\n");
        return 1;
    }
    bool allRead = true;
    for (int i = 1; i < argc; ++i) {
        allRead = inspect(argv[i]) && allRead;
    }
    return allRead ? 0 : 1;
}
