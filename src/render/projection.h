// projection.h -- the scene's perspective, said once: the reshape callback sets it and the
// HUD projects its lines into window pixels with the same numbers.
#pragma once

constexpr double perspectiveFieldOfViewDegrees = 40.0; // the view's height
constexpr double perspectiveNearUnits = 1.0;
constexpr double perspectiveFarUnits = 50.0;
