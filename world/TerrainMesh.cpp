#include "world/TerrainMesh.h"

#include <algorithm>

namespace {

TMeshVertex At(float s, float t, double x, double y, double z) { return {s, t, x, y, z}; }

// A wall from edge point (a, b) to (c, d), standing from the ground to the ceiling.
TQuadVertices Wall(float a, float b, float c, float d) {
  const float top = static_cast<float>(kSkyHeight);
  return {At(0, 0, a, 0, b), At(1, 0, a, top, b), At(1, 1, c, top, d), At(0, 1, c, 0, d)};
}

}  // namespace

int MeshRows(const t_rain& terrain) { return MeshCols(terrain) == 0 ? 0 : terrain.Rows(); }

int MeshCols(const t_rain& terrain) {
  if (terrain.samples->empty()) return 0;
  std::size_t shortest = (*terrain.samples)[0].size();
  for (const auto& row : *terrain.samples) shortest = std::min(shortest, row.size());
  return static_cast<int>(shortest);
}

std::vector<TMeshVertex> BuildTerrainTriangles(const t_rain& terrain) {
  const int w = MeshCols(terrain);
  const int h = MeshRows(terrain);
  const double cell = terrain.cellSize;
  const double k = terrain.maxHeight / 255.0;
  std::vector<TMeshVertex> out;
  auto s = [&](int row, int col) { return terrain.Sample(row, col); };
  for (int i = 0; i + 1 < w; ++i) {
    for (int j = 0; j + 1 < h; ++j) {
      const double x0 = cell * i, x1 = cell * (i + 1), z0 = -cell * j, z1 = -cell * (j + 1);
      if (s(j, i) != 0 || s(j + 1, i) != 0 || s(j, i + 1) != 0) {
        out.push_back(At(0, 1, x0, k * s(j, i), z0));
        out.push_back(At(0, 0, x0, k * s(j + 1, i), z1));
        out.push_back(At(1, 1, x1, k * s(j, i + 1), z0));
      }
      if (s(j + 1, i + 1) != 0 || s(j + 1, i) != 0 || s(j, i + 1) != 0) {
        out.push_back(At(0, 0, x0, k * s(j + 1, i), z1));
        out.push_back(At(1, 1, x1, k * s(j, i + 1), z0));
        out.push_back(At(0, 1, x1, k * s(j + 1, i + 1), z1));
      }
    }
  }
  return out;
}

T_point TerrainOffset(const t_rain& terrain) {
  const double cell = terrain.cellSize;
  return {-MeshCols(terrain) * cell / 2.0, 0.0, MeshRows(terrain) * cell / 2.0};
}

// The square is centred on ((H - 1) / 2, (W - 1) / 2): near the grid's corner, which at
// this size makes no visible difference.
TSkyBounds SkyBounds(int rows, int cols) {
  const double eH = (kSkySide - (rows - 1)) / 2.0;
  const double eW = (kSkySide - (cols - 1)) / 2.0;
  return {static_cast<float>(-eH), static_cast<float>((rows - 1) + eH),
          static_cast<float>((cols - 1) + eW), static_cast<float>(-eW)};
}

TQuadVertices GroundQuad(const TSkyBounds& b) {
  return {At(0, 0, b.x0, 0, b.z0), At(1, 0, b.x1, 0, b.z0), At(1, 1, b.x1, 0, b.z1),
          At(0, 1, b.x0, 0, b.z1)};
}

std::array<TQuadVertices, 5> SkyQuads(const TSkyBounds& b) {
  const float top = static_cast<float>(kSkyHeight);
  TQuadVertices ceiling = {At(0, 0, b.x0, top, b.z0), At(1, 0, b.x1, top, b.z0),
                           At(1, 1, b.x1, top, b.z1), At(0, 1, b.x0, top, b.z1)};
  TQuadVertices front = {At(0, 0, b.x0, 0, b.z0), At(1, 0, b.x1, 0, b.z0),
                         At(1, 1, b.x1, top, b.z0), At(0, 1, b.x0, top, b.z0)};
  return {ceiling, Wall(b.x0, b.z0, b.x0, b.z1), Wall(b.x1, b.z0, b.x1, b.z1),
          Wall(b.x1, b.z1, b.x0, b.z1), front};
}
