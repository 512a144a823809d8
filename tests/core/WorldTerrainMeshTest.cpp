#include <gtest/gtest.h>

#include <stdexcept>

#include "world/TerrainMesh.h"

namespace {

t_rain Grid(t_tab_pixel samples, double cell = 10.0, double maxHeight = 255.0) {
  t_rain t;
  t.cellSize = cell;
  t.maxHeight = maxHeight;
  t.samples = std::make_shared<const t_tab_pixel>(std::move(samples));
  return t;
}

int TriangleCount(const t_rain& t) { return static_cast<int>(BuildTerrainTriangles(t).size() / 3); }

void ExpectVertex(const TMeshVertex& v, float s, float t, double x, double y, double z) {
  EXPECT_EQ(v.s, s);
  EXPECT_EQ(v.t, t);
  EXPECT_DOUBLE_EQ(v.x, x);
  EXPECT_DOUBLE_EQ(v.y, y);
  EXPECT_DOUBLE_EQ(v.z, z);
}

}  // namespace

TEST(WorldTerrainMesh, OneCellsTwoTrianglesWithTheTextureOnceOverTheCell) {
  // maximum height 255 x 2: a sample of s stands 2 s high.
  std::vector<TMeshVertex> v = BuildTerrainTriangles(Grid({{10, 20}, {30, 40}}, 5.0, 510.0));
  ASSERT_EQ(v.size(), 6u);
  ExpectVertex(v[0], 0, 1, 0, 20, 0);     // row 0, column 0
  ExpectVertex(v[1], 1, 1, 5, 40, 0);     // row 0, column 1
  ExpectVertex(v[2], 0, 0, 0, 60, -5);    // row 1, column 0
  ExpectVertex(v[3], 0, 0, 0, 60, -5);
  ExpectVertex(v[4], 1, 1, 5, 40, 0);
  ExpectVertex(v[5], 0, 1, 5, 80, -5);    // row 1, column 1
}

TEST(WorldTerrainMesh, TrianglesWithThreeZeroCornersAreLeftOut) {
  EXPECT_EQ(TriangleCount(Grid(t_tab_pixel(16, std::vector<std::uint8_t>(16, 0)))), 0);
  EXPECT_EQ(TriangleCount(Grid(t_tab_pixel(16, std::vector<std::uint8_t>(16, 1)))), 2 * 15 * 15);
  // One raised corner in one cell: shared corners draw both triangles.
  EXPECT_EQ(TriangleCount(Grid({{1, 0}, {0, 0}})), 1);  // row 0, column 0: first only
  EXPECT_EQ(TriangleCount(Grid({{0, 0}, {0, 1}})), 1);  // row 1, column 1: second only
  EXPECT_EQ(TriangleCount(Grid({{0, 0}, {1, 0}})), 2);  // row 1, column 0: shared
  EXPECT_EQ(TriangleCount(Grid({{0, 1}, {0, 0}})), 2);  // row 0, column 1: shared
  std::vector<TMeshVertex> second = BuildTerrainTriangles(Grid({{0, 0}, {0, 1}}));
  EXPECT_EQ(second[2].y, 1.0);
}

TEST(WorldTerrainMesh, CellsGoColumnByColumnAndTheGridIsCentred) {
  // 3 columns, 2 rows: cells (column 0), (column 1).
  t_rain t = Grid({{1, 1, 1}, {1, 1, 1}});
  std::vector<TMeshVertex> v = BuildTerrainTriangles(t);
  ASSERT_EQ(v.size(), 12u);
  EXPECT_EQ(v[0].x, 0.0);
  EXPECT_EQ(v[6].x, 10.0);
  T_point offset = TerrainOffset(t);
  EXPECT_EQ(offset.x, -15.0);
  EXPECT_EQ(offset.y, 0.0);
  EXPECT_EQ(offset.z, 10.0);
  // The sample at row 0, column 0 stands at world (-W cell / 2, h, H cell / 2).
  EXPECT_EQ(v[0].x + offset.x, -15.0);
  EXPECT_EQ(v[0].z + offset.z, 10.0);
}

TEST(WorldTerrainMesh, EmptyAndRaggedGridsAreNeverReadOutOfRange) {
  EXPECT_EQ(TriangleCount(t_rain{}), 0);
  EXPECT_EQ(TriangleCount(Grid({{}, {}})), 0);
  EXPECT_EQ(TriangleCount(Grid({{5}})), 0);
  // A ragged grid cannot be made: every row has the length of the first.
  EXPECT_THROW(Grid({{1, 1, 1, 1}, {1, 1}, {1, 1, 1}}), std::invalid_argument);
  EXPECT_EQ(MeshCols(Grid({{1, 1}, {1, 1}, {1, 1}})), 2);
  EXPECT_EQ(TriangleCount(Grid({{1, 1}, {1, 1}, {1, 1}})), 4);
  EXPECT_EQ(MeshRows(Grid({{}, {}})), 0);
}

TEST(WorldTerrainMesh, GroundAndSkyFormOneSquareBox) {
  TSkyBounds b = SkyBounds(128, 64);
  EXPECT_FLOAT_EQ(b.x0, -(100000.0f - 127) / 2);
  EXPECT_FLOAT_EQ(b.x1, 127 + (100000.0f - 127) / 2);
  EXPECT_FLOAT_EQ(b.z0, 63 + (100000.0f - 63) / 2);
  EXPECT_FLOAT_EQ(b.z1, -(100000.0f - 63) / 2);
  EXPECT_FLOAT_EQ(b.x1 - b.x0, 100000.0f);
  EXPECT_FLOAT_EQ(b.z0 - b.z1, 100000.0f);
  TSkyBounds empty = SkyBounds(0, 0);
  EXPECT_FLOAT_EQ(empty.x1 - empty.x0, 100000.0f);

  TQuadVertices ground = GroundQuad(b);
  for (const auto& v : ground) EXPECT_EQ(v.y, 0.0);
  ExpectVertex(ground[0], 0, 0, b.x0, 0, b.z0);
  ExpectVertex(ground[2], 1, 1, b.x1, 0, b.z1);
  auto sky = SkyQuads(b);
  for (const auto& v : sky[0]) EXPECT_EQ(v.y, 10000.0);
  // Walls: (x0, z0)-(x0, z1), (x1, z0)-(x1, z1), (x1, z1)-(x0, z1), then the front one.
  ExpectVertex(sky[1][0], 0, 0, b.x0, 0, b.z0);
  ExpectVertex(sky[1][1], 1, 0, b.x0, 10000, b.z0);
  ExpectVertex(sky[1][2], 1, 1, b.x0, 10000, b.z1);
  ExpectVertex(sky[1][3], 0, 1, b.x0, 0, b.z1);
  ExpectVertex(sky[3][0], 0, 0, b.x1, 0, b.z1);
  ExpectVertex(sky[3][2], 1, 1, b.x0, 10000, b.z1);
  ExpectVertex(sky[4][1], 1, 0, b.x1, 0, b.z0);
  ExpectVertex(sky[4][2], 1, 1, b.x1, 10000, b.z0);
}
