// asset_test_support.cpp -- temporary folders, whole files, in-memory files through fmemopen,
// and the model checks.
#include "asset_test_support.h"

#include "assets/model_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    char pattern[] = "/tmp/wibz_assets_XXXXXX";
    // Without a folder of its own there is nothing safe to remove afterwards: stop here.
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error(std::string("cannot make a temporary folder: ") +
                                 std::strerror(errno));
    }
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string path = root + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

bool importBytes(Model& model, const std::uint8_t* bytes, std::size_t size) {
    // fmemopen refuses a zero-sized buffer; /dev/null is an empty file too. A stream opened
    // for reading never writes to its buffer.
    std::FILE* stream = size == 0 ? std::fopen("/dev/null", "rb")
                                  : fmemopen(const_cast<std::uint8_t*>(bytes), size, "rb");
    if (stream == nullptr) {
        return false;
    }
    ModelReader reader;
    const bool result = reader.importStream(model, stream, "memory.3DS");
    std::fclose(stream);
    return result;
}

bool consistent(const Model& model) {
    const auto sized = [](std::int32_t count, std::size_t size) {
        return count == static_cast<std::int32_t>(size);
    };
    bool ok = sized(model.objectCount, model.objects.size()) &&
              sized(model.materialCount, model.materials.size());
    for (const ModelObject& o : model.objects) {
        ok = ok && sized(o.vertexCount, o.vertices.size()) &&
             o.normals.size() == o.vertices.size() && sized(o.faceCount, o.faces.size()) &&
             sized(o.texCoordCount, o.texCoords.size());
        for (const ModelFace& face : o.faces) {
            for (std::int32_t index : face.vertexIndex) {
                ok = ok && index >= 0 && index < o.vertexCount;
            }
        }
    }
    return ok;
}
