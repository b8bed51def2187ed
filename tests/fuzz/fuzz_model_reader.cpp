// fuzz_model_reader.cpp -- libFuzzer entry point: each input is read as a 3DS file into a
// fresh model. Beyond the sanitizers' own checks it traps when the model breaks what the
// display lists rely on: counts matching arrays and faces naming existing vertices.
#include "assets/model.h"
#include "assets/model_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {
bool consistent(const Model& model) {
    if (model.objectCount != static_cast<std::int32_t>(model.objects.size()) ||
        model.materialCount != static_cast<std::int32_t>(model.materials.size())) {
        return false;
    }
    for (const ModelObject& object : model.objects) {
        const bool sized =
            object.vertexCount == static_cast<std::int32_t>(object.vertices.size()) &&
            object.normals.size() == object.vertices.size() &&
            object.faceCount == static_cast<std::int32_t>(object.faces.size()) &&
            object.texCoordCount == static_cast<std::int32_t>(object.texCoords.size());
        if (!sized) {
            return false;
        }
        for (const ModelFace& face : object.faces) {
            for (std::int32_t index : face.vertexIndex) {
                if (index < 0 || index >= object.vertexCount) {
                    return false;
                }
            }
        }
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* stream = size == 0 ? std::fopen("/dev/null", "rb")
                                  : fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    Model model;
    ModelReader reader;
    reader.importStream(model, stream, "fuzz.3DS");
    std::fclose(stream);
    if (!consistent(model)) {
        __builtin_trap();
    }
    return 0;
}
