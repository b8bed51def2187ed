// tds_file.cpp -- lays out a 3DS file with the chunk ids that 3D Studio itself uses
// (assets/tds_chunks.h, which the game reads by).
#include "tds_file.h"

#include "tds_writer.h"

#include "assets/tds_chunks.h"

namespace {
constexpr std::uint32_t meshVersion = 3;
constexpr std::uint16_t faceFlagsAllEdgesVisible = 0x0007;
constexpr std::uint16_t fullStrengthPercent = 100;

void writeColour(TdsWriter& out, std::uint16_t id, const std::array<std::uint8_t, 3>& rgb) {
    out.beginChunk(id);
    out.beginChunk(CHUNK_COLOUR_24);
    out.u8(rgb[0]);
    out.u8(rgb[1]);
    out.u8(rgb[2]);
    out.endChunk();
    out.endChunk();
}

void writeMaterial(TdsWriter& out, const TdsMaterial& material) {
    out.beginChunk(CHUNK_MATERIAL);
    out.beginChunk(CHUNK_MATERIAL_NAME);
    out.string(material.name);
    out.endChunk();
    const std::array<std::uint8_t, 3> ambient = {static_cast<std::uint8_t>(material.colour[0] / 4),
                                                 static_cast<std::uint8_t>(material.colour[1] / 4),
                                                 static_cast<std::uint8_t>(material.colour[2] / 4)};
    writeColour(out, CHUNK_AMBIENT, ambient);
    writeColour(out, CHUNK_DIFFUSE, material.colour);
    if (!material.mapFile.empty()) {
        out.beginChunk(CHUNK_TEXTURE_MAP);
        out.beginChunk(CHUNK_PERCENT);
        out.u16(fullStrengthPercent);
        out.endChunk();
        out.beginChunk(CHUNK_MAP_FILE);
        out.string(material.mapFile);
        out.endChunk();
        out.endChunk();
    }
    out.endChunk();
}

void writeFaces(TdsWriter& out, const TdsMesh& mesh) {
    out.beginChunk(CHUNK_FACES);
    out.u16(static_cast<std::uint16_t>(mesh.faces.size()));
    for (const auto& face : mesh.faces) {
        out.u16(face[0]);
        out.u16(face[1]);
        out.u16(face[2]);
        out.u16(faceFlagsAllEdgesVisible);
    }
    if (!mesh.materialName.empty()) {
        out.beginChunk(CHUNK_FACE_MATERIAL);
        out.string(mesh.materialName);
        out.u16(static_cast<std::uint16_t>(mesh.faces.size()));
        for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
            out.u16(static_cast<std::uint16_t>(i));
        }
        out.endChunk();
    }
    out.endChunk();
}

void writeMesh(TdsWriter& out, const TdsMesh& mesh) {
    out.beginChunk(CHUNK_OBJECT);
    out.string(mesh.name);
    out.beginChunk(CHUNK_MESH);
    out.beginChunk(CHUNK_VERTICES);
    out.u16(static_cast<std::uint16_t>(mesh.vertices.size()));
    for (const auto& v : mesh.vertices) {
        out.f32(v[0]);
        out.f32(v[1]);
        out.f32(v[2]);
    }
    out.endChunk();
    if (!mesh.texCoords.empty()) {
        out.beginChunk(CHUNK_TEX_COORDS);
        out.u16(static_cast<std::uint16_t>(mesh.texCoords.size()));
        for (const auto& t : mesh.texCoords) {
            out.f32(t[0]);
            out.f32(t[1]);
        }
        out.endChunk();
    }
    out.beginChunk(CHUNK_LOCAL_AXES); // identity: the mesh is stored in world axes
    const float axes[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (float value : axes) {
        out.f32(value);
    }
    out.endChunk();
    writeFaces(out, mesh);
    out.endChunk();
    out.endChunk();
}
} // namespace

std::vector<std::uint8_t> buildTdsFile(const TdsScene& scene) {
    TdsWriter out;
    out.beginChunk(CHUNK_PRIMARY);
    out.beginChunk(CHUNK_VERSION);
    out.u32(scene.version);
    out.endChunk();
    out.beginChunk(CHUNK_EDITOR);
    out.beginChunk(CHUNK_MESH_VERSION);
    out.u32(meshVersion);
    out.endChunk();
    out.beginChunk(CHUNK_MASTER_SCALE);
    out.f32(1.0f);
    out.endChunk();
    for (const TdsMaterial& material : scene.materials) {
        writeMaterial(out, material);
    }
    for (const TdsMesh& mesh : scene.meshes) {
        writeMesh(out, mesh);
    }
    out.endChunk();
    out.beginChunk(CHUNK_KEYFRAMER); // empty: the models do not move on their own
    out.endChunk();
    out.endChunk();
    return out.data();
}
