// icon.h -- the game's icon: the craft's model drawn in software (a z-buffer, smooth
// light, its own skin) on a transparent square, for the desktop's icon theme.
#pragma once

#include "image.h"
#include "tds_file.h"

// The mesh seen from the front and above, filling the square; edges smoothed by drawing
// at four times the size and averaging.
Image paintIcon(const TdsMesh& mesh, const Image& skin, int size);
