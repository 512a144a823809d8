// Keeping the player's own craft and eye out of the drawn terrain. The flight rules test
// one point against one grid sample, 10 units under it; the drawn surface between samples
// is sloped and may stand higher, and the craft is drawn tens of units ahead of the eye, so
// flying into a slope used to bury the drawn craft and the eye while every move stayed
// allowed. The view keeps them clear without refusing any move the flight rules allow.
#pragma once

#include "assets/Utype.h"

// The own craft is drawn at its usual place and size, but its depth is taken as if it
// stood this many times nearer the eye: the same picture, in front of anything further
// than a few units, such as the slope it is flown into.
inline constexpr double kCraftDepthScale = 0.125;
// How far above the drawn surface the eye and the craft's depth spot are kept.
inline constexpr double kEyeClearance = 2.0;
inline constexpr double kCraftClearance = 1.5;

// The height of the drawn terrain at world (x, z): the two triangles of the cell the
// point falls in, as the terrain is drawn, and the ground (0) off the grid.
double DrawnSurfaceHeight(const t_rain& terrain, double x, double z);

// How far the view must rise (world y) for the eye and the craft's spot, both in world
// coordinates, to stand clear of the drawn surface; 0 when they already do.
double ViewLift(const t_rain& terrain, T_point eye, T_point craftSpot);
