// image.h -- a picture being painted, in floating-point RGBA, saved as PNG or JPEG through
// DevIL. Row 0 is the top row, which the game's quad shows at its top.
#pragma once

#include <string>
#include <vector>

struct Rgba {
    float r;
    float g;
    float b;
    float a;
};

enum class ImageFormat { PNG_RGB, PNG_RGBA, JPEG };

class Image {
  public:
    Image(int width_, int height_);

    int width() const { return w; }
    int height() const { return h; }
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y * w + x)]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    // The pixel centre in [-1, 1] across the picture, y growing downwards.
    float centredX(int x) const { return (2.0f * static_cast<float>(x) + 1.0f) / w - 1.0f; }
    float centredY(int y) const { return (2.0f * static_cast<float>(y) + 1.0f) / h - 1.0f; }
    // Lays colour over the pixel by coverage (0 keeps it, 1 replaces it).
    void blend(int x, int y, Rgba colour, float coverage);

    bool save(const std::string& path, ImageFormat format) const;

  private:
    int w;
    int h;
    std::vector<Rgba> pixels;
};
