// mesh_builder.h -- collects the vertices and triangles of one model in the file's axes,
// x right, y up, z towards the viewer. Triangles run counter-clockwise seen from outside.
#pragma once

#include "tds_file.h"

#include <cstdint>
#include <functional>

struct MeshVertex {
    float x;
    float y;
    float z;
    float u;
    float v;
};

// One point of a surface of revolution: its distance from the y axis, its height and the
// texture v there.
struct ProfilePoint {
    float radius;
    float height;
    float v;
};

class MeshBuilder {
  public:
    std::uint16_t vertex(const MeshVertex& v);
    // Triangles with two corners at one place are dropped: they have no area to draw.
    void triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c);
    void quad(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d);
    // A rows x columns patch of quads; the outside is where row and column directions turn
    // counter-clockwise (row index up a wall, column index along -z at +x).
    void grid(int rows, int columns, const std::function<MeshVertex(int, int)>& at);
    // Revolves the profile about the y axis; the outside lies to the right of the profile's
    // direction in the (radius, height) plane. A point listed twice makes a crisp edge.
    // The mapper turns a position and its profile point into texture coordinates.
    void revolve(const std::vector<ProfilePoint>& profile, int segments,
                 const std::function<void(MeshVertex&, float turn)>& mapper);

    TdsMesh build(const std::string& name, const std::string& materialName) const;
    std::size_t vertexCount() const { return vertices.size(); }

  private:
    std::vector<MeshVertex> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
};
