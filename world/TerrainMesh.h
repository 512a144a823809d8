// What the terrain's display list holds, computed without a display: the height-field
// triangles (the texture repeated once per cell) and the ground plane and sky box.
// Coordinates are in the terrain's local frame: column i at x = cell x i, row j at
// z = -cell x j; the list translates the frame so that the grid is centred.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "assets/MeshVertex.h"
#include "assets/Utype.h"

inline constexpr double kSkySide = 100000.0;
inline constexpr double kSkyHeight = 10000.0;

// Rows H and columns W drawn. An empty grid has none.
int MeshRows(const t_rain& terrain);
int MeshCols(const t_rain& terrain);

// Triangles, three vertices each, column by column and row by row within a column. A
// triangle whose three corners are all at height 0 is left out, so the ground shows.
std::vector<TMeshVertex> BuildTerrainTriangles(const t_rain& terrain);

// An axis-aligned box: its lowest and highest x, y and z.
struct TBox {
  T_point low;
  T_point high;
};

// A square block of cells of the height field with the box around its triangles. The
// race sees a terrain through a 15-degree lens, so most blocks lie outside the view on
// any frame and need not be sent at all.
struct TTerrainChunk {
  int firstColumn = 0;  // the block's first cell
  int firstRow = 0;
  TBox box;
  std::vector<TMeshVertex> triangles;  // as BuildTerrainTriangles orders them
};

inline constexpr int kChunkCells = 16;
using TMatrix = std::array<double, 16>;  // column by column, as OpenGL keeps matrices

// The height field cut into blocks of `cells` x `cells` cells (fewer at the far edges),
// column of blocks by column of blocks. Together they hold exactly the triangles of
// BuildTerrainTriangles; a block without any triangle is left out.
std::vector<TTerrainChunk> BuildTerrainChunks(const t_rain& terrain, int cells = kChunkCells);
// The same blocks in the same order, handed over one at a time and built in one reused
// buffer: the terrain compiles each into its list before the next is built, so the
// triangles of a whole large map are never held at once.
void ForEachTerrainChunk(const t_rain& terrain, int cells,
                         const std::function<void(const TTerrainChunk&)>& visit);
// How many blocks the grid is cut into, those without a triangle included.
int TerrainChunkSlots(const t_rain& terrain, int cells = kChunkCells);

// Far blocks in coarser steps of the same heightmap: every `step`-th sample of the block
// (1, 2 or 4; the block's cells divide by each), the texture still repeated once per
// cell; the block's box holds the fine block's box. A coarse edge is straight where the finer neighbour's bends, so each coarse block
// hangs a skirt from its inner edges down to the lowest sample under each stretch: it
// fills the crack between the two edges and lies under the surface everywhere else. The field's outer edges have
// no neighbour and no skirt.
inline constexpr int kCoarseSteps[] = {2, 4};
void ForEachCoarseTerrainChunk(const t_rain& terrain, int cells, int step,
                               const std::function<void(const TTerrainChunk&)>& visit);

// The step a block is drawn at, seen from `eye` (in the frame of its box): 1 within
// kFineCells cells of the box, 2 within kMiddleCells, 4 beyond.
inline constexpr double kFineCells = 16.0;
inline constexpr double kMiddleCells = 32.0;
int DetailStep(const TBox& box, T_point eye, double cellSize);
// How far `eye` stands from the nearest point of the box (0 inside it).
double BoxDistance(const TBox& box, T_point eye);
// Where the eye stands in the frame the modelview receives.
T_point EyeOf(const TMatrix& modelview);

// A plane a x + b y + c z + d = 0 with (a, b, c) of length 1; the inside is where the
// left side is positive.
struct TPlane {
  double a = 0, b = 0, c = 0, d = 0;
};
using TFrustum = std::array<TPlane, 6>;  // left, right, bottom, top, near, far

// The six planes of the view volume of projection x modelview, in the coordinates the
// modelview receives. A plane that degenerates (a zero normal) keeps everything inside.
TFrustum FrustumOf(const TMatrix& projection, const TMatrix& modelview);

// True only when the box lies wholly on the outside of one plane, by more than a small
// slack: a box kept by mistake costs a little time, a box dropped by mistake a hole.
bool BoxOutside(const TFrustum& frustum, const TBox& box);

// The smallest box holding both.
TBox Joined(const TBox& a, const TBox& b);
// The box moved by `offset`.
TBox Shifted(const TBox& box, T_point offset);

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
