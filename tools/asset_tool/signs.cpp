// signs.cpp -- the combination, get-ready and game-over pictures: bold outlined words on a
// transparent square. The signs are drawn with an alpha test at 0.5, so every pixel is
// either fully a letter or fully clear.
#include "pictures.h"

#include "stroke_font.h"

namespace {
constexpr int signSize = 256;
constexpr float lineHeightPixels = 68.0f;
constexpr float lineGapPixels = 24.0f;
// Narrow letters fill the square with larger words: "READY" just fits its width.
constexpr float narrowLetters = 0.75f;

TextStyle styleFor(SignStyle sign) {
    TextStyle style{lineHeightPixels, 12.0f, 4.5f, {}, {}, {0.08f, 0.05f, 0.05f, 1.0f},
                    narrowLetters};
    switch (sign) {
    case SignStyle::COMBO:
        style.glyphHeight = 62.0f;
        style.top = Rgba{1.0f, 0.95f, 0.4f, 1.0f};
        style.bottom = Rgba{1.0f, 0.45f, 0.05f, 1.0f};
        break;
    case SignStyle::GET_READY:
        style.top = Rgba{0.75f, 1.0f, 0.75f, 1.0f};
        style.bottom = Rgba{0.1f, 0.75f, 0.35f, 1.0f};
        break;
    case SignStyle::GAME_OVER:
        style.top = Rgba{1.0f, 0.55f, 0.5f, 1.0f};
        style.bottom = Rgba{0.8f, 0.05f, 0.05f, 1.0f};
        break;
    }
    return style;
}
} // namespace

Image paintSign(const std::vector<std::string>& lines, SignStyle sign) {
    Image image(signSize, signSize);
    const TextStyle style = styleFor(sign);
    const float pitch = style.glyphHeight + lineGapPixels;
    const float firstCentre = signSize / 2.0f - pitch * static_cast<float>(lines.size() - 1) / 2.0f;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        drawTextLine(image, lines[i], signSize / 2.0f, firstCentre + pitch * static_cast<float>(i),
                     style);
    }
    return image;
}
