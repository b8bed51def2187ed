// mesh.h -- every mesh the game draws as vertex arrays, built once when the models are read:
// the model files' objects and the unit quad of all flat pictures. The desktop compiles them
// into display lists, the shader path puts them into vertex buffers; both send the same
// vertices in the same order.
#pragma once

#include "assets/data_files.h"
#include "assets/model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct Mesh {
    // A model's faces are triangles (or one line strip for F3's wire lines); the quad is one
    // quad, whatever the models are drawn as.
    enum class Shape { MODEL, QUAD };

    Shape shape = Shape::MODEL;
    std::vector<float> positions;      // x, y, z a vertex
    std::vector<float> normals;        // x, y, z a vertex
    std::vector<float> texCoords;      // s, t a vertex; empty when the object sends none
    std::vector<std::uint8_t> colours; // red, green, blue a vertex; empty when none is sent

    std::size_t vertexCount() const { return positions.size() / 3; }
    bool empty() const { return positions.empty(); }
};

// The corners of the object's faces in order, each with its normal, its material's colour
// (an untextured object whose material exists) and its texture coordinates (a textured
// object with coordinates; a vertex past the last pair takes the pair before it, as GL's
// current coordinates would). Empty for an index outside the model (a file that failed).
Mesh meshOfObject(const Model& model, int index);

// Two units square in its x-y plane, facing +z, the image's first row at the top.
Mesh unitQuad();

// Meshes by list slot (LIST_... of assets/data_files.h); unused slots stay empty, the
// shadow's too: it draws the quad's mesh (meshSlotOf).
using MeshTable = std::array<Mesh, LIST_SLOT_COUNT>;

// The slot whose mesh a list slot draws.
constexpr int meshSlotOf(int slot) {
    return slot == LIST_SHADOW_QUAD ? LIST_QUAD : slot;
}

// Empties sceneModel, reads every model file into it and builds the table: each model
// slot takes the first object its own file added (a file that fails leaves its slot empty),
// and the quad its slot. Returns the number of model files read, failed ones included.
int readModelMeshes(MeshTable& table);
