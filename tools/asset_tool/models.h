// models.h -- the game's five models as 3DS scenes, each one material with its map file
// and one textured object. Sizes are in file units; the game's drawing scales them.
#pragma once

#include "tds_file.h"

TdsScene makeFloorTile();
TdsScene makeCornerTower();
TdsScene makeCraft();
TdsScene makeShot();
TdsScene makeWorld();
