// hud_text.cpp -- the text buffer of a HUD line (no GL here; see hud_draw.cpp).
#include "view/hud_text.h"

#include <cstring>

HudText::HudText() : text(new char[capacity]), position(), colour() {
    reset();
}

HudText::~HudText() {
    delete[] text;
}

void HudText::setText(const char* newText) {
    if (newText == nullptr) {
        text[0] = '\0';
        return;
    }
    std::strncpy(text, newText, capacity - 1);
    text[capacity - 1] = '\0';
}

void HudText::reset() {
    std::memset(text, 0, capacity);
    position = Vector3(0.1f, 0.1f, 1.0f);
    colour = Vector3(1.0f, 1.0f, 1.0f);
}
