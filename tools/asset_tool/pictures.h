// pictures.h -- the painters of the game's thirteen images. Each picture is made for the
// way the game draws it: blend mode, alpha test, colour and what it is laid on.
#pragma once

#include "image.h"

#include <string>
#include <vector>

// Effects: drawn on the unit quad with blending (effects.cpp).
Image paintShadow();
Image paintGlow();
Image paintLockRing();
Image paintBeam();
Image paintTwirl();
Image paintSmoke();

// Surfaces of the models and the sky picture (surfaces.cpp).
Image paintStones();
Image paintMud();
Image paintShipSkin();
Image paintBackground();

// Signs: words on a transparent square, one entry per line (signs.cpp).
enum class SignStyle { COMBO, GET_READY, GAME_OVER };
Image paintSign(const std::vector<std::string>& lines, SignStyle style);
