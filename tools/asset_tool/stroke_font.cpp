// stroke_font.cpp -- glyphs as polylines on a 4 x 6 grid (y down), rendered by distance to
// the nearest stroke, which gives smooth edges at any size.
#include "stroke_font.h"

#include "noise.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr float glyphGridWidth = 4.0f;
constexpr float glyphGridHeight = 6.0f;
constexpr float letterGapInGrid = 1.6f;

struct Point {
    float x;
    float y;
};
using Polyline = std::vector<Point>;
using Glyph = std::vector<Polyline>;

// The strokes, one point list a line or two, as they are drawn on a 4 x 6 grid.
// clang-format off
Glyph glyphFor(char c) {
    switch (c) {
    case 'A':
        return {{{0, 6}, {2, 0}, {4, 6}}, {{0.7f, 4}, {3.3f, 4}}};
    case 'B':
        return {{{0, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6},
                 {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}}};
    case 'C':
        return {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}}};
    case 'D':
        return {{{0, 0}, {0, 6}, {2.5f, 6}, {4, 4.5f}, {4, 1.5f}, {2.5f, 0}, {0, 0}}};
    case 'E':
        return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'G':
        return {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5},
                 {1, 6}, {3, 6}, {4, 5}, {4, 3.2f}, {2.2f, 3.2f}}};
    case 'M':
        return {{{0, 6}, {0, 0}, {2, 3.2f}, {4, 0}, {4, 6}}};
    case 'O':
        return {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}};
    case 'R':
        return {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}};
    case 'T':
        return {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}};
    case 'V':
        return {{{0, 0}, {2, 6}, {4, 0}}};
    case 'Y':
        return {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}};
    case '!':
        return {{{0.5f, 0}, {0.5f, 3.8f}}, {{0.5f, 5.9f}, {0.5f, 6}}};
    default:
        return {};
    }
}
// clang-format on

float distanceToSegment(Point p, Point a, Point b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    float t = 0.0f;
    if (lengthSquared > 0.0f) {
        t = clamp01(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared);
    }
    const float ex = p.x - (a.x + t * dx);
    const float ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

// Grid units a glyph takes along the line; the exclamation mark is a single stroke.
float glyphWidthOf(char c) {
    return c == '!' ? 1.0f : glyphGridWidth;
}

// The glyphs of a line placed in pixels, as segments.
std::vector<std::pair<Point, Point>> layOut(const std::string& text, float centreX, float centreY,
                                            float scale, float widthScale) {
    const float across = scale * widthScale; // pixels per grid unit along the line
    float lineWidth = -letterGapInGrid * across;
    for (const char c : text) {
        lineWidth += (glyphWidthOf(c) + letterGapInGrid) * across;
    }
    const float top = centreY - glyphGridHeight * scale / 2.0f;
    std::vector<std::pair<Point, Point>> segments;
    float originX = centreX - lineWidth / 2.0f;
    for (const char c : text) {
        for (const Polyline& line : glyphFor(c)) {
            for (std::size_t k = 0; k + 1 < line.size(); ++k) {
                const Point a{originX + line[k].x * across, top + line[k].y * scale};
                const Point b{originX + line[k + 1].x * across, top + line[k + 1].y * scale};
                segments.emplace_back(a, b);
            }
        }
        originX += (glyphWidthOf(c) + letterGapInGrid) * across;
    }
    return segments;
}
} // namespace

void drawTextLine(Image& image, const std::string& text, float centreX, float centreY,
                  const TextStyle& style) {
    const float scale = style.glyphHeight / glyphGridHeight;
    const auto segments = layOut(text, centreX, centreY, scale, style.widthScale);
    const float fillRadius = style.stroke / 2.0f;
    const float edgeRadius = fillRadius + style.outline;
    const float top = centreY - style.glyphHeight / 2.0f - edgeRadius;
    const float height = style.glyphHeight + 2.0f * edgeRadius;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Point p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            float nearest = std::numeric_limits<float>::max();
            for (const auto& segment : segments) {
                nearest = std::fmin(nearest, distanceToSegment(p, segment.first, segment.second));
            }
            // One pixel of smoothing on each edge.
            image.blend(x, y, style.edge, clamp01(edgeRadius + 0.5f - nearest));
            const float t = clamp01((p.y - top) / height);
            const Rgba fill{mix(style.top.r, style.bottom.r, t),
                            mix(style.top.g, style.bottom.g, t),
                            mix(style.top.b, style.bottom.b, t), 1.0f};
            image.blend(x, y, fill, clamp01(fillRadius + 0.5f - nearest));
        }
    }
}
