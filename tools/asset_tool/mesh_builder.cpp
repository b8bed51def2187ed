// mesh_builder.cpp -- grids and surfaces of revolution; a 3DS mesh holds at most 65535
// vertices, which the game's models stay far below.
#include "mesh_builder.h"

#include <cmath>

namespace {
constexpr float twoPi = 6.28318531f;

bool samePlace(const MeshVertex& a, const MeshVertex& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

std::uint16_t MeshBuilder::vertex(const MeshVertex& v) {
    vertices.push_back(v);
    return static_cast<std::uint16_t>(vertices.size() - 1);
}

void MeshBuilder::triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    if (samePlace(vertices[a], vertices[b]) || samePlace(vertices[b], vertices[c]) ||
        samePlace(vertices[c], vertices[a])) {
        return;
    }
    faces.push_back({a, b, c});
}

void MeshBuilder::quad(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
    triangle(a, b, c);
    triangle(a, c, d);
}

void MeshBuilder::grid(int rows, int columns, const std::function<MeshVertex(int, int)>& at) {
    const std::size_t first = vertices.size();
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column <= columns; ++column) {
            vertex(at(row, column));
        }
    }
    const auto index = [first, columns](int row, int column) {
        return static_cast<std::uint16_t>(first +
                                          static_cast<std::size_t>(row * (columns + 1) + column));
    };
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            quad(index(row, column), index(row, column + 1), index(row + 1, column + 1),
                 index(row + 1, column));
        }
    }
}

void MeshBuilder::revolve(const std::vector<ProfilePoint>& profile, int segments,
                          const std::function<void(MeshVertex&, float turn)>& mapper) {
    const int rows = static_cast<int>(profile.size()) - 1;
    grid(rows, segments, [&](int row, int column) {
        const ProfilePoint& p = profile[static_cast<std::size_t>(row)];
        // The seam column repeats column 0 at the same place, with its own texture u.
        const float turn = static_cast<float>(column) / static_cast<float>(segments);
        const float angle = turn * twoPi;
        const float c = column == segments ? 1.0f : std::cos(angle);
        const float s = column == segments ? 0.0f : std::sin(angle);
        MeshVertex v{p.radius * c, p.height, -p.radius * s, turn, p.v};
        mapper(v, turn);
        return v;
    });
}

TdsMesh MeshBuilder::build(const std::string& name, const std::string& materialName) const {
    TdsMesh mesh;
    mesh.name = name;
    mesh.materialName = materialName;
    for (const MeshVertex& v : vertices) {
        mesh.vertices.push_back({v.x, v.y, v.z});
        mesh.texCoords.push_back({v.u, v.v});
    }
    mesh.faces = faces;
    return mesh;
}
