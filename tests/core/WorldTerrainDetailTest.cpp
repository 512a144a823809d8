// Far blocks of the height field in coarser steps: the same blocks in the same order,
// every vertex a sample of the same heightmap, skirts only where a neighbour can differ,
// and the step chosen by the distance from the eye.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "world/TerrainMesh.h"

namespace {

// 41 x 37 samples: hills everywhere but a flat corner, where blocks hold no triangle.
t_rain Field() {
  auto grid = std::make_shared<t_tab_pixel>(37, 41);
  for (int row = 0; row < 37; ++row) {
    for (int col = 0; col < 41; ++col) {
      const bool flat = row < 16 && col < 16;
      (*grid)[row][col] = flat ? 0 : static_cast<std::uint8_t>(1 + (row * 37 + col * 91) % 200);
    }
  }
  t_rain t;
  t.samples = grid;
  t.cellSize = 5.0;
  t.maxHeight = 255.0;
  return t;
}

bool OnSample(const t_rain& t, const TMeshVertex& v) {
  const int col = static_cast<int>(std::lround(v.x / t.cellSize));
  const int row = static_cast<int>(std::lround(-v.z / t.cellSize));
  return std::abs(col * t.cellSize - v.x) < 1e-9 && std::abs(-row * t.cellSize - v.z) < 1e-9 &&
         std::abs(v.y - t.Sample(row, col) * t.maxHeight / 255.0) < 1e-9;
}

}  // namespace

TEST(WorldTerrainDetail, CoarseBlocksFollowTheFineBlocksWithFewerTrianglesOnTheSameSamples) {
  const t_rain field = Field();
  const std::vector<TTerrainChunk> fine = BuildTerrainChunks(field, 8);
  for (int step : kCoarseSteps) {
    std::vector<TTerrainChunk> coarse;
    ForEachCoarseTerrainChunk(field, 8, step, [&](const TTerrainChunk& c) { coarse.push_back(c); });
    ASSERT_EQ(coarse.size(), fine.size()) << "step " << step;
    std::size_t fineCount = 0, coarseCount = 0;
    for (std::size_t b = 0; b < fine.size(); ++b) {
      EXPECT_EQ(coarse[b].firstColumn, fine[b].firstColumn);
      EXPECT_EQ(coarse[b].firstRow, fine[b].firstRow);
      fineCount += fine[b].triangles.size();
      coarseCount += coarse[b].triangles.size();
      const TBox& box = coarse[b].box;
      auto inside = [&](T_point p) {
        return p.x >= box.low.x && p.x <= box.high.x && p.y >= box.low.y && p.y <= box.high.y &&
               p.z >= box.low.z && p.z <= box.high.z;
      };
      EXPECT_TRUE(inside(fine[b].box.low) && inside(fine[b].box.high)) << "the fine box within";
      for (const TMeshVertex& v : coarse[b].triangles) EXPECT_TRUE(inside({v.x, v.y, v.z}));
    }
    // A quarter of the cells at step 2, a sixteenth at step 4, and the skirts, which on
    // these rough small blocks are many.
    EXPECT_LT(coarseCount * step, fineCount) << "step " << step;
  }
}

TEST(WorldTerrainDetail, SurfaceVerticesAreSamplesAndSkirtsHangOnlyFromInnerEdges) {
  const t_rain field = Field();
  const int columns = field.Cols() - 1, rows = field.Rows() - 1;
  int skirts = 0;
  ForEachCoarseTerrainChunk(field, 8, 4, [&](const TTerrainChunk& c) {
    for (std::size_t i = 0; i < c.triangles.size(); ++i) {
      const TMeshVertex& v = c.triangles[i];
      if (OnSample(field, v)) continue;
      ++skirts;
      // The foot of a skirt: under a sample of an edge the block shares with another block.
      const double col = v.x / field.cellSize, row = -v.z / field.cellSize;
      const bool innerColumn = (col == c.firstColumn && col > 0) || (col == c.firstColumn + 8 && col < columns);
      const bool innerRow = (row == c.firstRow && row > 0) || (row == c.firstRow + 8 && row < rows);
      EXPECT_TRUE(innerColumn || innerRow) << "x " << v.x << " z " << v.z;
      const int r = static_cast<int>(std::lround(row)), k = static_cast<int>(std::lround(col));
      EXPECT_LE(v.y, field.Sample(r, k) * field.maxHeight / 255.0) << "a foot stands under its top";
    }
  });
  EXPECT_GT(skirts, 0);
  // A field of one block has no inner edge: nothing but surface.
  t_rain small = Field();
  ForEachCoarseTerrainChunk(small, 64, 2, [&](const TTerrainChunk& c) {
    for (const TMeshVertex& v : c.triangles) EXPECT_TRUE(OnSample(small, v));
  });
}

namespace {

// The normal of a triangle wound counter-clockwise, as the GL takes its front face.
T_point FrontNormal(const TMeshVertex* v) {
  const T_point a{v[1].x - v[0].x, v[1].y - v[0].y, v[1].z - v[0].z};
  const T_point b{v[2].x - v[0].x, v[2].y - v[0].y, v[2].z - v[0].z};
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace

// The terrain is drawn with faces turned away from the eye culled: every cell must face
// up at every step, and a skirt must face out of its block, towards the neighbour from
// whose side its crack is seen.
TEST(WorldTerrainDetail, CellsFaceUpAndSkirtsFaceOutOfTheirBlock) {
  const t_rain field = Field();
  const std::vector<TMeshVertex> fine = BuildTerrainTriangles(field);
  for (std::size_t i = 0; i + 2 < fine.size(); i += 3) EXPECT_GT(FrontNormal(&fine[i]).y, 0.0) << i;
  for (int step : kCoarseSteps) {
    int skirts = 0;
    ForEachCoarseTerrainChunk(field, 8, step, [&](const TTerrainChunk& c) {
      const double left = c.firstColumn * field.cellSize, top = -c.firstRow * field.cellSize;
      for (std::size_t i = 0; i + 2 < c.triangles.size(); i += 3) {
        const TMeshVertex* t = &c.triangles[i];
        const T_point n = FrontNormal(t);
        if (OnSample(field, t[0]) && OnSample(field, t[1]) && OnSample(field, t[2]) && n.y != 0.0) {
          EXPECT_GT(n.y, 0.0) << "step " << step;
          continue;
        }
        ++skirts;
        EXPECT_EQ(n.y, 0.0) << "a skirt stands upright";
        // Out of the block: on its first row or column against the way the block runs.
        if (n.z != 0.0) {
          EXPECT_EQ(n.z > 0.0, t[0].z == top) << "row wall at z " << t[0].z;
        }
        if (n.x != 0.0) {
          EXPECT_EQ(n.x < 0.0, t[0].x == left) << "column wall at x " << t[0].x;
        }
      }
    });
    EXPECT_GT(skirts, 0) << "step " << step;
  }
}

TEST(WorldTerrainDetail, TheStepGrowsWithTheDistanceFromTheEye) {
  const TBox box{{0, 0, -100}, {100, 50, 0}};
  const double cell = 10.0;
  EXPECT_EQ(DetailStep(box, {50, 20, -50}, cell), 1) << "inside the box";
  EXPECT_EQ(DetailStep(box, {100 + (kFineCells - 1) * cell, 20, -50}, cell), 1);
  EXPECT_EQ(DetailStep(box, {100 + (kFineCells + 1) * cell, 20, -50}, cell), 2);
  EXPECT_EQ(DetailStep(box, {50, 50 + (kMiddleCells - 1) * cell, -50}, cell), 2) << "straight above";
  EXPECT_EQ(DetailStep(box, {50, 50 + (kMiddleCells + 1) * cell, -50}, cell), 4);
  EXPECT_EQ(DetailStep(box, {-1000, 20, 1000}, cell), 4);
}

TEST(WorldTerrainDetail, TheEyeIsFoundFromATurnAndAMove) {
  // A quarter turn about y (x goes to -z), then a move of (1, 2, 3): a point p reaches the
  // eye's frame as R p + t, so the eye stands at -R^T t.
  const TMatrix m = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 1, 2, 3, 1};
  const T_point eye = EyeOf(m);
  EXPECT_NEAR(eye.x, -3, 1e-12);
  EXPECT_NEAR(eye.y, -2, 1e-12);
  EXPECT_NEAR(eye.z, 1, 1e-12);
  // Check: R eye + t is the origin.
  EXPECT_NEAR(m[0] * eye.x + m[4] * eye.y + m[8] * eye.z + m[12], 0, 1e-12);
  EXPECT_NEAR(m[2] * eye.x + m[6] * eye.y + m[10] * eye.z + m[14], 0, 1e-12);
}
