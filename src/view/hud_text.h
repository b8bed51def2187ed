// hud_text.h -- one line of bitmap text over the scene: its text, raster position and
// colour. Setting the text needs no window; render/hud_draw.h draws the lines.
#pragma once

#include "math/vector3.h"

class HudText {
  public:
    static constexpr int capacity = 50; // bytes, the terminating zero included

    HudText();
    ~HudText();
    HudText(const HudText&) = delete;
    HudText& operator=(const HudText&) = delete;

    // Copies the text, cut to capacity - 1 characters.
    void setText(const char* newText);
    void setPosition(float x, float y, float z) { position = Vector3(x, y, z); }
    // Back to a new item's defaults: empty, white, at (0.1, 0.1, 1.0).
    void reset();
    const char* getText() const { return text; }
    Vector3 getPosition() const { return position; }
    Vector3 getColour() const { return colour; }

  private:
    char* text;
    Vector3 position;
    Vector3 colour;
};
