// tds_file.h -- a whole 3DS file from materials and meshes, laid out as modelling tools
// write it: version, then the editor with the mesh version first, the materials, and the
// objects, each with vertices, texture coordinates, its axes and its faces.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TdsMaterial {
    std::string name;
    std::array<std::uint8_t, 3> colour = {255, 255, 255}; // diffuse red, green, blue
    std::string mapFile;                                  // empty: no texture map
};

struct TdsMesh {
    std::string name;
    std::vector<std::array<float, 3>> vertices; // file axes; y is up once the game draws it
    std::vector<std::array<float, 2>> texCoords;
    std::vector<std::array<std::uint16_t, 3>> faces; // counter-clockwise seen from outside
    std::string materialName;                        // empty: no face-material chunk
};

struct TdsScene {
    std::uint32_t version = 3;
    std::vector<TdsMaterial> materials;
    std::vector<TdsMesh> meshes;
};

std::vector<std::uint8_t> buildTdsFile(const TdsScene& scene);
