// icon.cpp -- a small software rasteriser: per-vertex normals from the faces, an
// orthographic view tilted to show the top, and per-pixel diffuse and specular light.
#include "icon.h"

#include "noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {
constexpr int samplesAcross = 4;
constexpr float tiltRadians = 0.7f; // the top turned this far towards the viewer
constexpr float filledFraction = 0.94f;
constexpr float ambient = 0.35f;
constexpr float shininess = 24.0f;
constexpr float specularStrength = 0.35f;

using Vec = std::array<float, 3>;

Vec normalised(const Vec& v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return length > 0.0f ? Vec{v[0] / length, v[1] / length, v[2] / length} : v;
}

float dot(const Vec& a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Turns about x: the top (+y) leans towards the viewer (+z).
Vec tilted(const Vec& v) {
    const float c = std::cos(tiltRadians);
    const float s = std::sin(tiltRadians);
    return {v[0], v[1] * c - v[2] * s, v[1] * s + v[2] * c};
}

// Vertex normals: the sum of the faces' area-weighted normals around each vertex.
std::vector<Vec> vertexNormals(const TdsMesh& mesh) {
    std::vector<Vec> normals(mesh.vertices.size(), Vec{0.0f, 0.0f, 0.0f});
    for (const auto& face : mesh.faces) {
        const Vec& a = mesh.vertices[face[0]];
        const Vec& b = mesh.vertices[face[1]];
        const Vec& c = mesh.vertices[face[2]];
        const Vec ab{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const Vec ac{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec n{ab[1] * ac[2] - ab[2] * ac[1], ab[2] * ac[0] - ab[0] * ac[2],
                    ab[0] * ac[1] - ab[1] * ac[0]};
        for (const std::uint16_t index : face) {
            for (int k = 0; k < 3; ++k) {
                normals[index][static_cast<std::size_t>(k)] += n[static_cast<std::size_t>(k)];
            }
        }
    }
    for (Vec& n : normals) {
        n = normalised(tilted(n));
    }
    return normals;
}

Rgba lit(Rgba surface, const Vec& normal) {
    const Vec light = normalised({-0.45f, 0.75f, 0.5f});
    const Vec halfway = normalised({light[0], light[1], light[2] + 1.0f});
    const float diffuse = std::max(0.0f, dot(normal, light));
    const float specular =
        specularStrength * std::pow(std::max(0.0f, dot(normal, halfway)), shininess);
    const float shade = ambient + (1.0f - ambient) * diffuse;
    return {clamp01(surface.r * shade + specular), clamp01(surface.g * shade + specular),
            clamp01(surface.b * shade + specular), 1.0f};
}

struct Sample {
    float depth = -std::numeric_limits<float>::infinity();
    Rgba colour{0.0f, 0.0f, 0.0f, 0.0f};
};

struct ScreenVertex {
    float x;
    float y;
    float depth;
};

float edge(const ScreenVertex& a, const ScreenVertex& b, float x, float y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// The tilted mesh, centred and scaled to fill its share of a square `across` samples wide.
std::vector<ScreenVertex> placeOnScreen(const TdsMesh& mesh, int across) {
    std::vector<Vec> placed;
    float low[2] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    float high[2] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (const Vec& v : mesh.vertices) {
        placed.push_back(tilted(v));
        for (int k = 0; k < 2; ++k) {
            low[k] = std::min(low[k], placed.back()[static_cast<std::size_t>(k)]);
            high[k] = std::max(high[k], placed.back()[static_cast<std::size_t>(k)]);
        }
    }
    const float scale = filledFraction * across / std::max(high[0] - low[0], high[1] - low[1]);
    const float centreX = 0.5f * (low[0] + high[0]);
    const float centreY = 0.5f * (low[1] + high[1]);
    std::vector<ScreenVertex> screen;
    for (const Vec& p : placed) {
        screen.push_back({0.5f * across + (p[0] - centreX) * scale,
                          0.5f * across - (p[1] - centreY) * scale, p[2]});
    }
    return screen;
}

// What the skin shows at the weights' point of the face, lit by its blended normal.
Rgba shadeAt(const TdsMesh& mesh, const std::vector<Vec>& normals, const Image& skin,
             const std::array<std::uint16_t, 3>& face, float wa, float wb, float wc) {
    Vec normal{};
    float uv[2] = {0.0f, 0.0f};
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        normal[i] = wa * normals[face[0]][i] + wb * normals[face[1]][i] + wc * normals[face[2]][i];
    }
    for (int k = 0; k < 2; ++k) {
        const auto i = static_cast<std::size_t>(k);
        uv[k] = wa * mesh.texCoords[face[0]][i] + wb * mesh.texCoords[face[1]][i] +
                wc * mesh.texCoords[face[2]][i];
    }
    const int u = std::clamp(static_cast<int>(uv[0] * skin.width()), 0, skin.width() - 1);
    const int v = std::clamp(static_cast<int>(uv[1] * skin.height()), 0, skin.height() - 1);
    return lit(skin.at(u, v), normalised(normal));
}

// Each pixel: the mean colour of its covered samples, with coverage as alpha.
Image resolve(const std::vector<Sample>& samples, int size) {
    const int across = size * samplesAcross;
    Image icon(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgba sum{0.0f, 0.0f, 0.0f, 0.0f};
            for (int sy = 0; sy < samplesAcross; ++sy) {
                for (int sx = 0; sx < samplesAcross; ++sx) {
                    const int at = (y * samplesAcross + sy) * across + x * samplesAcross + sx;
                    const Rgba& c = samples[static_cast<std::size_t>(at)].colour;
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            if (sum.a > 0.0f) {
                icon.at(x, y) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a,
                                 sum.a / (samplesAcross * samplesAcross)};
            }
        }
    }
    return icon;
}
} // namespace

Image paintIcon(const TdsMesh& mesh, const Image& skin, int size) {
    const int across = size * samplesAcross;
    const std::vector<ScreenVertex> screen = placeOnScreen(mesh, across);
    const std::vector<Vec> normals = vertexNormals(mesh);
    std::vector<Sample> samples(static_cast<std::size_t>(across * across));
    for (const auto& face : mesh.faces) {
        const ScreenVertex& a = screen[face[0]];
        const ScreenVertex& b = screen[face[1]];
        const ScreenVertex& c = screen[face[2]];
        const float area = edge(a, b, c.x, c.y);
        if (area == 0.0f) {
            continue;
        }
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(across - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(across - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float px = static_cast<float>(x) + 0.5f;
                const float py = static_cast<float>(y) + 0.5f;
                // Barycentric weights; all of one sign inside, whichever way the face turns.
                const float wa = edge(b, c, px, py) / area;
                const float wb = edge(c, a, px, py) / area;
                const float wc = 1.0f - wa - wb;
                if (wa < 0.0f || wb < 0.0f || wc < 0.0f) {
                    continue;
                }
                Sample& sample = samples[static_cast<std::size_t>(y * across + x)];
                const float depth = wa * a.depth + wb * b.depth + wc * c.depth;
                if (depth <= sample.depth) {
                    continue;
                }
                sample.depth = depth;
                sample.colour = shadeAt(mesh, normals, skin, face, wa, wb, wc);
            }
        }
    }
    return resolve(samples, size);
}
