// mesh.cpp -- the models' vertex arrays, taken from sceneModel after every file is read, so
// no file is read while a list or buffer is being made.
#include "render/mesh.h"

#include "assets/model_reader.h"

namespace {
// The quad's corners: texture (s, t) then vertex (x, y); t = 0 is the image's first row.
const float quadCorners[4][4] = {
    {0.0f, 1.0f, -1.0f, -1.0f},
    {1.0f, 1.0f, 1.0f, -1.0f},
    {1.0f, 0.0f, 1.0f, 1.0f},
    {0.0f, 0.0f, -1.0f, 1.0f},
};

void addVector(std::vector<float>& to, const Vector3& v) {
    to.push_back(v.x);
    to.push_back(v.y);
    to.push_back(v.z);
}

// Whether the object's corners carry its material's colour: untextured, with a material.
bool colouredByMaterial(const Model& model, const ModelObject& object) {
    return !object.hasTexture && object.materialId >= 0 && object.materialId < model.materialCount;
}
} // namespace

Mesh meshOfObject(const Model& model, int index) {
    Mesh mesh;
    if (index < 0 || index >= model.objectCount) {
        return mesh;
    }
    const ModelObject& object = model.objects[static_cast<std::size_t>(index)];
    const bool coloured = colouredByMaterial(model, object);
    const bool textured = object.hasTexture && object.texCoordCount > 0;
    TexCoord lastTexCoord{0.0f, 0.0f};
    for (const ModelFace& face : object.faces) {
        for (const std::int32_t i : face.vertexIndex) {
            const auto at = static_cast<std::size_t>(i);
            addVector(mesh.positions, object.vertices[at]);
            addVector(mesh.normals, object.normals[at]);
            if (coloured) {
                const std::uint8_t* c =
                    model.materials[static_cast<std::size_t>(object.materialId)].colour;
                mesh.colours.insert(mesh.colours.end(), c, c + 3);
            }
            if (textured) {
                if (i < object.texCoordCount) {
                    lastTexCoord = object.texCoords[at];
                }
                mesh.texCoords.push_back(lastTexCoord.u);
                mesh.texCoords.push_back(lastTexCoord.v);
            }
        }
    }
    return mesh;
}

Mesh unitQuad() {
    Mesh mesh;
    mesh.shape = Mesh::Shape::QUAD;
    for (const auto& corner : quadCorners) {
        mesh.texCoords.push_back(corner[0]);
        mesh.texCoords.push_back(corner[1]);
        addVector(mesh.positions, Vector3(corner[2], corner[3], 0.0f));
        addVector(mesh.normals, Vector3(0.0f, 0.0f, 1.0f));
    }
    return mesh;
}

int readModelMeshes(MeshTable& table) {
    // The objects of the read before are no longer drawn, and keeping them would grow the
    // model by every F3 press.
    sceneModel = Model();
    int firstObjects[modelFileCount] = {};
    for (std::size_t i = 0; i < modelFileCount; ++i) {
        const std::int32_t firstNew = sceneModel.objectCount;
        const bool imported = modelReader.import3ds(sceneModel, modelFiles[i].path);
        firstObjects[i] = imported && firstNew < sceneModel.objectCount ? firstNew : -1;
    }
    for (Mesh& mesh : table) {
        mesh = Mesh();
    }
    for (std::size_t i = 0; i < modelFileCount; ++i) {
        table[static_cast<std::size_t>(modelFiles[i].slot)] =
            meshOfObject(sceneModel, firstObjects[i]);
    }
    table[LIST_QUAD] = unitQuad();
    return static_cast<int>(modelFileCount);
}
