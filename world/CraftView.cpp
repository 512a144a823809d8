#include "world/CraftView.h"

#include <algorithm>
#include <cmath>

#include "world/TerrainMesh.h"

double DrawnSurfaceHeight(const t_rain& terrain, double x, double z) {
  const int rows = MeshRows(terrain);
  const int cols = MeshCols(terrain);
  if (rows < 2 || cols < 2 || !(terrain.cellSize > 0.0)) return 0.0;
  // The drawn grid: column i at x = cell i - cols cell / 2, row j at z = rows cell / 2 - cell j.
  const T_point offset = TerrainOffset(terrain);
  const double gi = (x - offset.x) / terrain.cellSize;
  const double gj = (offset.z - z) / terrain.cellSize;
  if (!(gi >= 0.0 && gj >= 0.0 && gi <= cols - 1 && gj <= rows - 1)) return 0.0;
  // The far edges belong to the last cells.
  const int i = std::min(static_cast<int>(gi), cols - 2);
  const int j = std::min(static_cast<int>(gj), rows - 2);
  const double u = gi - i, v = gj - j;
  const double k = terrain.maxHeight / 255.0;
  const double s00 = k * terrain.Sample(j, i), s10 = k * terrain.Sample(j, i + 1);
  const double s01 = k * terrain.Sample(j + 1, i), s11 = k * terrain.Sample(j + 1, i + 1);
  // A cell is drawn as the triangles (0,0)-(0,1)-(1,0) and (0,1)-(1,0)-(1,1).
  if (u + v <= 1.0) return s00 + u * (s10 - s00) + v * (s01 - s00);
  return s11 + (1.0 - u) * (s01 - s11) + (1.0 - v) * (s10 - s11);
}

double ViewLift(const t_rain& terrain, T_point eye, T_point craftSpot) {
  const double forEye = DrawnSurfaceHeight(terrain, eye.x, eye.z) + kEyeClearance - eye.y;
  const double forCraft =
      DrawnSurfaceHeight(terrain, craftSpot.x, craftSpot.z) + kCraftClearance - craftSpot.y;
  return std::max({0.0, forEye, forCraft});
}
