// stroke_font.h -- the capital letters the game's signs need, drawn as thick rounded
// strokes with a dark outline, so they stay readable over any part of the scene.
#pragma once

#include "image.h"

#include <string>

struct TextStyle {
    float glyphHeight; // pixels, cap height
    float stroke;      // pixels, width of the letters' strokes
    float outline;     // pixels added around the strokes
    Rgba top;          // fill colour at the top of a line, fading to bottom
    Rgba bottom;
    Rgba edge;        // the outline
    float widthScale; // narrows the letters and their gaps (1: the glyphs' own shape)
};

// Draws one line of text centred on (centreX, centreY). Letters it does not know are left
// out as spaces.
void drawTextLine(Image& image, const std::string& text, float centreX, float centreY,
                  const TextStyle& style);
