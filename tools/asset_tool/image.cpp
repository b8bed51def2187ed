// image.cpp -- painting help and saving; DevIL must have been initialised (ilInit).
#include "image.h"

#include "noise.h"

#include <IL/il.h>

#include <cmath>
#include <cstdint>

namespace {
constexpr int jpegQuality = 92;

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(clamp01(value) * 255.0f));
}
} // namespace

Image::Image(int width_, int height_)
    : w(width_), h(height_),
      pixels(static_cast<std::size_t>(width_ * height_), Rgba{0.0f, 0.0f, 0.0f, 0.0f}) {}

void Image::blend(int x, int y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h) {
        return;
    }
    const float c = clamp01(coverage);
    Rgba& p = at(x, y);
    p.r = mix(p.r, colour.r, c);
    p.g = mix(p.g, colour.g, c);
    p.b = mix(p.b, colour.b, c);
    p.a = mix(p.a, colour.a, c);
}

bool Image::save(const std::string& path, ImageFormat format) const {
    const int channels = format == ImageFormat::PNG_RGBA ? 4 : 3;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels.size() * static_cast<std::size_t>(channels));
    for (const Rgba& p : pixels) {
        bytes.push_back(toByte(p.r));
        bytes.push_back(toByte(p.g));
        bytes.push_back(toByte(p.b));
        if (channels == 4) {
            bytes.push_back(toByte(p.a));
        }
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const ILenum layout = channels == 4 ? IL_RGBA : IL_RGB;
    bool ok = ilTexImage(static_cast<ILuint>(w), static_cast<ILuint>(h), 1,
                         static_cast<ILubyte>(channels), layout, IL_UNSIGNED_BYTE, bytes.data());
    // Our row 0 is the top; without this DevIL would flip the picture on saving.
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    ilSetInteger(IL_JPG_QUALITY, jpegQuality);
    const ILenum type = format == ImageFormat::JPEG ? IL_JPG : IL_PNG;
    ok = ok && ilSave(type, path.c_str());
    ilDeleteImages(1, &image);
    return ok && ilGetError() == IL_NO_ERROR;
}
