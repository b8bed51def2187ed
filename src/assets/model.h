// model.h -- the in-memory model that every 3DS import appends to: materials and objects
// in file order across all imports. Positions are in the game's axes (y up).
#pragma once

#include "math/vector3.h"

#include <cstdint>
#include <vector>

constexpr int modelNameSize = 255; // bytes of every name field, its NUL included

struct ModelMaterial {
    char name[modelNameSize];    // NUL-terminated
    char mapFile[modelNameSize]; // texture map file name; empty without a texture map
    std::uint8_t colour[3];      // diffuse red, green, blue
};

struct ModelFace {
    std::int32_t vertexIndex[3];   // into vertices, normals and texCoords alike
    std::int32_t texCoordIndex[3]; // always zero: coordinates follow the vertex index
};

struct TexCoord {
    float u;
    float v;
};

struct ModelObject {
    std::int32_t vertexCount = 0;
    std::int32_t faceCount = 0;
    std::int32_t texCoordCount = 0;
    std::int32_t materialId = 0; // -1 after a face-material name that matched nothing
    bool hasTexture = false;     // a face-material chunk named a material with a map file
    char name[modelNameSize] = {};
    std::vector<Vector3> vertices;
    std::vector<Vector3> normals;
    std::vector<TexCoord> texCoords;
    std::vector<ModelFace> faces;
};

struct Model {
    std::int32_t objectCount = 0;   // kept equal to objects.size()
    std::int32_t materialCount = 0; // kept equal to materials.size()
    std::vector<ModelMaterial> materials;
    std::vector<ModelObject> objects;
};

// The one model of the game: every import appends to it; a rebuild of the display lists
// empties it first.
extern Model sceneModel;
