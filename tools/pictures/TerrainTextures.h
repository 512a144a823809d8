// The textures of the race world: the terrain's tile (repeated once per grid cell), the
// ground under it (stretched once over the whole 100000-unit square) and the sky box's walls.
#pragma once

#include <cstdint>
#include <string>

#include "tools/pictures/Picture.h"
#include "tools/pictures/PictureOutput.h"
#include "tools/pictures/Style.h"

enum class TSurface { Grass, Paper, Sand, Rock, Meadow, Earth, Grid, Leaves, Snow, Basalt };

struct TTerrainLook {
  TRgb dark, mid, light;
  TSurface surface;
  std::uint32_t seed;
};

struct TGroundLook {
  TRgb low, high;
  std::uint32_t seed;
};

struct TSkyLook {
  TRgb haze;      // at the horizon
  TRgb low;       // a fifth of the way up, the highest part seen from a race
  TRgb high;      // the top of the walls
  TRgb cloud;
  double clouds;  // 0 clear .. 1 overcast
  std::uint32_t seed;
};

// A tile whose right edge continues its left edge and whose top continues its bottom.
TPicture TerrainTile(const TTerrainLook& look, int size);
// A soft, low-contrast picture.
TPicture GroundPicture(const TGroundLook& look, int size);
// Depends on min(u, v) (u left to right, v bottom to top): three walls of the sky box run
// u from the ground up, the fourth runs v from the ground up. Haze along the left and bottom
// edges, deeper sky toward the top-right corner.
TPicture SkyPicture(const TSkyLook& look, int size);

void DrawTerrainTextures(TPictureOutput& out);
