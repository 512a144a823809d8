// The drawn terrain's height under a point, and how far the view rises to keep the eye
// and the own craft clear of it.
#include <gtest/gtest.h>

#include <memory>

#include "world/CraftView.h"
#include "world/TerrainMesh.h"

namespace {

// 4 x 4 samples, 10 units a cell, one unit a sample step; one tall sample at row 1, col 2.
t_rain Terrain() {
  t_rain terrain;
  terrain.cellSize = 10.0;
  terrain.maxHeight = 255.0;
  auto samples = std::make_shared<t_tab_pixel>(4, std::vector<std::uint8_t>(4, 20));
  (*samples)[1][2] = 200;
  terrain.samples = samples;
  return terrain;
}

TEST(CraftView, TheSurfaceHeightFollowsTheDrawnTriangles) {
  const t_rain terrain = Terrain();
  const std::vector<TMeshVertex> triangles = BuildTerrainTriangles(terrain);
  const T_point offset = TerrainOffset(terrain);
  ASSERT_FALSE(triangles.empty());
  for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
    // Each corner, and the triangle's centre, in the world's frame.
    double cx = 0, cy = 0, cz = 0;
    for (std::size_t k = t; k < t + 3; ++k) {
      const TMeshVertex& v = triangles[k];
      cx += v.x / 3;
      cy += v.y / 3;
      cz += v.z / 3;
      EXPECT_NEAR(DrawnSurfaceHeight(terrain, v.x + offset.x, v.z + offset.z), v.y, 1e-9);
    }
    EXPECT_NEAR(DrawnSurfaceHeight(terrain, cx + offset.x, cz + offset.z), cy, 1e-9) << "triangle " << t / 3;
  }
  EXPECT_EQ(DrawnSurfaceHeight(terrain, 1000.0, 0.0), 0.0) << "off the grid: the ground";
}

TEST(CraftView, TheViewRisesOnlyAsFarAsTheEyeAndTheCraftNeed) {
  const t_rain terrain = Terrain();
  const T_point offset = TerrainOffset(terrain);
  // Over the tall sample (200) and over a plain part (20).
  const T_point peak{offset.x + 20.0, 0.0, offset.z - 10.0};
  const T_point plain{offset.x + 5.0, 0.0, offset.z - 25.0};
  auto at = [](T_point p, double y) { return T_point{p.x, y, p.z}; };
  EXPECT_EQ(ViewLift(terrain, at(plain, 100.0), at(plain, 99.0)), 0.0) << "both clear";
  EXPECT_NEAR(ViewLift(terrain, at(peak, 150.0), at(plain, 99.0)), 200.0 + kEyeClearance - 150.0, 1e-9)
      << "the eye inside the peak";
  EXPECT_NEAR(ViewLift(terrain, at(plain, 100.0), at(peak, 190.0)), 200.0 + kCraftClearance - 190.0, 1e-9)
      << "the craft inside the peak";
}

}  // namespace
