// What the terrain's display list holds, computed without a display: the height-field
// triangles (the texture repeated once per cell) and the ground plane and sky box.
// Coordinates are in the terrain's local frame: column i at x = cell x i, row j at
// z = -cell x j; the list translates the frame so that the grid is centred.
#pragma once

#include <array>
#include <vector>

#include "assets/Utype.h"

struct TMeshVertex {
  float s = 0.0f;  // texture coordinates
  float t = 0.0f;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

using TQuadVertices = std::array<TMeshVertex, 4>;

inline constexpr double kSkySide = 100000.0;
inline constexpr double kSkyHeight = 10000.0;

// Rows H and columns W drawn: the shortest row decides W, so a ragged grid is never
// read out of range. An empty grid has none.
int MeshRows(const t_rain& terrain);
int MeshCols(const t_rain& terrain);

// Triangles, three vertices each, column by column and row by row within a column. A
// triangle whose three corners are all at height 0 is left out, so the ground shows.
std::vector<TMeshVertex> BuildTerrainTriangles(const t_rain& terrain);

// The translation that centres the grid: (-W x cell / 2, 0, H x cell / 2).
T_point TerrainOffset(const t_rain& terrain);

// Corners of the ground and sky square, passed as singles.
struct TSkyBounds {
  float x0, x1, z0, z1;
};
TSkyBounds SkyBounds(int rows, int cols);

// The ground quad at height 0, the texture stretched once over it.
TQuadVertices GroundQuad(const TSkyBounds& b);
// Ceiling, then the four walls, all with the sky texture.
std::array<TQuadVertices, 5> SkyQuads(const TSkyBounds& b);
