#include "world/TerrainMesh.h"

#include <algorithm>
#include <cmath>

namespace {

TMeshVertex At(float s, float t, double x, double y, double z) { return {s, t, x, y, z}; }

// A wall from edge point (a, b) to (c, d), standing from the ground to the ceiling.
TQuadVertices Wall(float a, float b, float c, float d) {
  const float top = static_cast<float>(kSkyHeight);
  return {At(0, 0, a, 0, b), At(1, 0, a, top, b), At(1, 1, c, top, d), At(0, 1, c, 0, d)};
}

}  // namespace

int MeshRows(const t_rain& terrain) { return MeshCols(terrain) == 0 ? 0 : terrain.Rows(); }

int MeshCols(const t_rain& terrain) { return terrain.Cols(); }

namespace {

// The two triangles of cell (column i, row j), each only when one of its corners stands.
void AppendCell(const t_rain& terrain, int i, int j, std::vector<TMeshVertex>& out) {
  const double cell = terrain.cellSize;
  const double k = terrain.maxHeight / 255.0;
  auto s = [&](int row, int col) { return terrain.Sample(row, col); };
  const double x0 = cell * i, x1 = cell * (i + 1), z0 = -cell * j, z1 = -cell * (j + 1);
  if (s(j, i) != 0 || s(j + 1, i) != 0 || s(j, i + 1) != 0) {
    out.push_back(At(0, 1, x0, k * s(j, i), z0));
    out.push_back(At(1, 1, x1, k * s(j, i + 1), z0));
    out.push_back(At(0, 0, x0, k * s(j + 1, i), z1));
  }
  if (s(j + 1, i + 1) != 0 || s(j + 1, i) != 0 || s(j, i + 1) != 0) {
    out.push_back(At(0, 0, x0, k * s(j + 1, i), z1));
    out.push_back(At(1, 1, x1, k * s(j, i + 1), z0));
    out.push_back(At(0, 1, x1, k * s(j + 1, i + 1), z1));
  }
}

// Cells [i0, i1) x [j0, j1), column by column.
void AppendCells(const t_rain& terrain, int i0, int i1, int j0, int j1, std::vector<TMeshVertex>& out) {
  for (int i = i0; i < i1; ++i) {
    for (int j = j0; j < j1; ++j) AppendCell(terrain, i, j, out);
  }
}

// The cell of `step` x `step` cells at (i, j), cut short at (i1, j1), as AppendCell cuts
// a cell: the texture coordinates span `step` so that it repeats once per cell.
void AppendCoarseCell(const t_rain& terrain, int i, int j, int step, int i1, int j1,
                      std::vector<TMeshVertex>& out) {
  const double cell = terrain.cellSize;
  const double k = terrain.maxHeight / 255.0;
  const int ie = std::min(i + step, i1), je = std::min(j + step, j1);
  auto s = [&](int row, int col) { return terrain.Sample(row, col); };
  const double x0 = cell * i, x1 = cell * ie, z0 = -cell * j, z1 = -cell * je;
  const float a = static_cast<float>(ie - i), b = static_cast<float>(je - j);
  if (s(j, i) != 0 || s(je, i) != 0 || s(j, ie) != 0) {
    out.push_back(At(0, b, x0, k * s(j, i), z0));
    out.push_back(At(a, b, x1, k * s(j, ie), z0));
    out.push_back(At(0, 0, x0, k * s(je, i), z1));
  }
  if (s(je, ie) != 0 || s(je, i) != 0 || s(j, ie) != 0) {
    out.push_back(At(0, 0, x0, k * s(je, i), z1));
    out.push_back(At(a, b, x1, k * s(j, ie), z0));
    out.push_back(At(0, b, x1, k * s(je, ie), z1));
  }
}

// A wall under the coarse edge from sample (row ja, column ia) to (jb, ib), one of them
// equal, down to the lowest fine sample between: the finer neighbour's edge never dips
// below it, so the crack is filled and the wall is no taller. None where both samples are
// 0 (no surface there to part from its neighbour). The crack is seen from the
// neighbour's side, and the terrain is drawn with faces turned away culled: the wall
// faces +z along a row and +x along a column, or the other way when `reversed`.
void AppendSkirt(const t_rain& terrain, int ia, int ja, int ib, int jb, bool reversed,
                 std::vector<TMeshVertex>& out) {
  if (terrain.Sample(ja, ia) == 0 && terrain.Sample(jb, ib) == 0) return;
  int lowest = 255;
  for (int i = ia, j = ja;; i += (ib > ia), j += (jb > ja)) {
    lowest = std::min<int>(lowest, terrain.Sample(j, i));
    if (i == ib && j == jb) break;
  }
  const double cell = terrain.cellSize;
  const double k = terrain.maxHeight / 255.0;
  const TMeshVertex topA = At(0, 1, cell * ia, k * terrain.Sample(ja, ia), -cell * ja);
  const TMeshVertex topB = At(1, 1, cell * ib, k * terrain.Sample(jb, ib), -cell * jb);
  const TMeshVertex lowA = At(0, 0, topA.x, k * lowest, topA.z);
  const TMeshVertex lowB = At(1, 0, topB.x, k * lowest, topB.z);
  if (topA.y == lowA.y && topB.y == lowB.y) return;  // a straight stretch: nothing to fill
  if (reversed) {
    out.insert(out.end(), {topA, topB, lowA, topB, lowB, lowA});
  } else {
    out.insert(out.end(), {topA, lowA, topB, topB, lowA, lowB});
  }
}

TBox BoxAround(const std::vector<TMeshVertex>& vertices) {
  TBox box{{vertices[0].x, vertices[0].y, vertices[0].z}, {vertices[0].x, vertices[0].y, vertices[0].z}};
  for (const TMeshVertex& v : vertices) {
    box.low = {std::min(box.low.x, v.x), std::min(box.low.y, v.y), std::min(box.low.z, v.z)};
    box.high = {std::max(box.high.x, v.x), std::max(box.high.y, v.y), std::max(box.high.z, v.z)};
  }
  return box;
}

}  // namespace

std::vector<TMeshVertex> BuildTerrainTriangles(const t_rain& terrain) {
  std::vector<TMeshVertex> out;
  AppendCells(terrain, 0, MeshCols(terrain) - 1, 0, MeshRows(terrain) - 1, out);
  return out;
}

int TerrainChunkSlots(const t_rain& terrain, int cells) {
  const int step = std::max(cells, 1);
  const int columns = std::max(MeshCols(terrain) - 1, 0);
  const int rows = std::max(MeshRows(terrain) - 1, 0);
  return ((columns + step - 1) / step) * ((rows + step - 1) / step);
}

void ForEachTerrainChunk(const t_rain& terrain, int cells,
                         const std::function<void(const TTerrainChunk&)>& visit) {
  const int columns = MeshCols(terrain) - 1;
  const int rows = MeshRows(terrain) - 1;
  const int step = std::max(cells, 1);
  TTerrainChunk chunk;
  for (int i = 0; i < columns; i += step) {
    for (int j = 0; j < rows; j += step) {
      chunk.firstColumn = i;
      chunk.firstRow = j;
      chunk.triangles.clear();  // the storage is used again by the next block
      AppendCells(terrain, i, std::min(i + step, columns), j, std::min(j + step, rows), chunk.triangles);
      if (chunk.triangles.empty()) continue;
      chunk.box = BoxAround(chunk.triangles);
      visit(chunk);
    }
  }
}

namespace {

// The skirts of a block of cells [i0, i1) x [j0, j1) along the edges it shares with
// another block, coarse sample to coarse sample.
void AppendSkirts(const t_rain& terrain, int i0, int i1, int j0, int j1, int step,
                  std::vector<TMeshVertex>& out) {
  const int columns = MeshCols(terrain) - 1, rows = MeshRows(terrain) - 1;
  for (int i = i0; i < i1; i += step) {
    const int ie = std::min(i + step, i1);
    if (j0 > 0) AppendSkirt(terrain, i, j0, ie, j0, false, out);     // faces +z, out of the block
    if (j1 < rows) AppendSkirt(terrain, i, j1, ie, j1, true, out);   // faces -z
  }
  for (int j = j0; j < j1; j += step) {
    const int je = std::min(j + step, j1);
    if (i0 > 0) AppendSkirt(terrain, i0, j, i0, je, true, out);        // faces -x
    if (i1 < columns) AppendSkirt(terrain, i1, j, i1, je, false, out);  // faces +x
  }
}

}  // namespace

// The same blocks as ForEachTerrainChunk, in the same order. A coarse cell reaches over
// flat cells its fine block leaves out, so its box holds the fine box and more.
void ForEachCoarseTerrainChunk(const t_rain& terrain, int cells, int step,
                               const std::function<void(const TTerrainChunk&)>& visit) {
  const int columns = MeshCols(terrain) - 1;
  const int rows = MeshRows(terrain) - 1;
  TTerrainChunk coarse;
  ForEachTerrainChunk(terrain, cells, [&](const TTerrainChunk& fine) {
    const int i1 = std::min(fine.firstColumn + cells, columns);
    const int j1 = std::min(fine.firstRow + cells, rows);
    coarse.firstColumn = fine.firstColumn;
    coarse.firstRow = fine.firstRow;
    coarse.triangles.clear();
    for (int i = fine.firstColumn; i < i1; i += step) {
      for (int j = fine.firstRow; j < j1; j += step) AppendCoarseCell(terrain, i, j, step, i1, j1, coarse.triangles);
    }
    AppendSkirts(terrain, fine.firstColumn, i1, fine.firstRow, j1, step, coarse.triangles);
    coarse.box = Joined(fine.box, BoxAround(coarse.triangles));
    visit(coarse);
  });
}

double BoxDistance(const TBox& box, T_point eye) {
  auto gap = [](double v, double low, double high) { return std::max({low - v, 0.0, v - high}); };
  const double dx = gap(eye.x, box.low.x, box.high.x);
  const double dy = gap(eye.y, box.low.y, box.high.y);
  const double dz = gap(eye.z, box.low.z, box.high.z);
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Distance from the eye to the nearest point of the box, in cells.
int DetailStep(const TBox& box, T_point eye, double cellSize) {
  const double cells = BoxDistance(box, eye) / std::max(cellSize, 1e-9);
  return cells < kFineCells ? 1 : cells < kMiddleCells ? 2 : 4;
}

// The modelview is a turn R then a move t: the eye, at the origin of the eye's frame,
// stands at -R^T t.
T_point EyeOf(const TMatrix& m) {
  return {-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]), -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]),
          -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14])};
}

std::vector<TTerrainChunk> BuildTerrainChunks(const t_rain& terrain, int cells) {
  std::vector<TTerrainChunk> chunks;
  ForEachTerrainChunk(terrain, cells, [&](const TTerrainChunk& chunk) { chunks.push_back(chunk); });
  return chunks;
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

namespace {

// Row r of the column-major product a x b.
double ProductAt(const TMatrix& a, const TMatrix& b, int row, int col) {
  double sum = 0.0;
  for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
  return sum;
}

// Row 3 plus or minus row `axis` of the clip matrix, scaled to a unit normal.
TPlane PlaneOf(const TMatrix& clip, int axis, double sign) {
  auto at = [&](int row, int col) { return clip[col * 4 + row]; };
  TPlane p{at(3, 0) + sign * at(axis, 0), at(3, 1) + sign * at(axis, 1), at(3, 2) + sign * at(axis, 2),
           at(3, 3) + sign * at(axis, 3)};
  const double length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
  if (!(length > 0.0) || !std::isfinite(length)) return {0.0, 0.0, 0.0, 1.0};
  return {p.a / length, p.b / length, p.c / length, p.d / length};
}

}  // namespace

TFrustum FrustumOf(const TMatrix& projection, const TMatrix& modelview) {
  TMatrix clip{};
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) clip[col * 4 + row] = ProductAt(projection, modelview, row, col);
  }
  return {PlaneOf(clip, 0, 1.0), PlaneOf(clip, 0, -1.0), PlaneOf(clip, 1, 1.0),
          PlaneOf(clip, 1, -1.0), PlaneOf(clip, 2, 1.0), PlaneOf(clip, 2, -1.0)};
}

// The slack grows with the box's distance from the origin, as the rounding of the
// single-precision vertices does.
bool BoxOutside(const TFrustum& frustum, const TBox& box) {
  const double reach = std::max({std::abs(box.low.x), std::abs(box.low.y), std::abs(box.low.z),
                                 std::abs(box.high.x), std::abs(box.high.y), std::abs(box.high.z)});
  const double slack = 0.01 + reach * 1e-4;
  for (const TPlane& p : frustum) {
    // The corner farthest along the plane's normal: if even it is outside, all are.
    const double x = p.a >= 0 ? box.high.x : box.low.x;
    const double y = p.b >= 0 ? box.high.y : box.low.y;
    const double z = p.c >= 0 ? box.high.z : box.low.z;
    if (p.a * x + p.b * y + p.c * z + p.d < -slack) return true;
  }
  return false;
}

TBox Joined(const TBox& a, const TBox& b) {
  return {{std::min(a.low.x, b.low.x), std::min(a.low.y, b.low.y), std::min(a.low.z, b.low.z)},
          {std::max(a.high.x, b.high.x), std::max(a.high.y, b.high.y), std::max(a.high.z, b.high.z)}};
}

TBox Shifted(const TBox& box, T_point offset) {
  return {{box.low.x + offset.x, box.low.y + offset.y, box.low.z + offset.z},
          {box.high.x + offset.x, box.high.y + offset.y, box.high.z + offset.z}};
}
