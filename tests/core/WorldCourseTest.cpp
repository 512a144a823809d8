#include <gtest/gtest.h>

#include <cmath>

#include "assets/Lgeometry.h"
#include "platform/ScriptedPlatform.h"
#include "world/Course.h"
#include "world/CourseGen.h"

namespace {

TRing_tab RingsAt(std::initializer_list<T_point> origins) {
  TRing_tab rings;
  for (const T_point& p : origins) {
    TRing r;
    r.origin = p;
    rings.push_back(r);
  }
  return rings;
}

t_rain GridTerrain(int cols, int rows, std::uint8_t height, double maxHeight = 110.0) {
  t_rain t;
  t.cellSize = 10.0;
  t.maxHeight = maxHeight;
  t.samples = std::make_shared<const t_tab_pixel>(
      static_cast<std::size_t>(rows), std::vector<std::uint8_t>(static_cast<std::size_t>(cols), height));
  return t;
}

// Hills and valleys: heights from a few sines, so the clearance test has work to do.
t_rain HillyTerrain(int size) {
  t_tab_pixel grid(static_cast<std::size_t>(size), std::vector<std::uint8_t>(static_cast<std::size_t>(size)));
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      double h = 127.0 + 80.0 * std::sin(i * 0.21) * std::cos(j * 0.17) + 40.0 * std::sin((i + j) * 0.05);
      grid[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(std::clamp(h, 0.0, 255.0));
    }
  }
  t_rain t;
  t.cellSize = 10.0;
  t.maxHeight = 110.0;
  t.samples = std::make_shared<const t_tab_pixel>(std::move(grid));
  return t;
}

}  // namespace

TEST(WorldCourse, PassTestIsStrictlyWithinTwoPointSevenCells) {
  TRing_tab rings = RingsAt({{100, 50, -30}});
  EXPECT_DOUBLE_EQ(PassRadius(10.0), 27.0);
  EXPECT_FALSE(PassTest(rings[0], {127, 50, -30}, 10.0));
  EXPECT_TRUE(PassTest(rings[0], {126.999, 50, -30}, 10.0));
  EXPECT_TRUE(PassTest(rings[0], {100, 50 - 26.9, -30}, 10.0));  // from below counts too
  EXPECT_FALSE(PassTest(rings[0], {100, 50, -30 + 40.6}, 15.0));
  EXPECT_TRUE(PassTest(rings[0], {100, 50, -30 + 40.4}, 15.0));
}

TEST(WorldCourse, OnlyTheCurrentRingIsCaughtAndCatchesChainInOnePass) {
  TRing_tab rings = RingsAt({{0, 100, 0}, {0, 100, -100}, {0, 100, -120}, {0, 100, -500}});
  // Through ring 1 before ring 0: nothing.
  EXPECT_EQ(UpdateCaught(rings, 0, {0, 100, -100}, 10.0), 0);
  EXPECT_FALSE(rings[1].caught);
  EXPECT_EQ(UpdateCaught(rings, 0, {0, 100, 5}, 10.0), 1);
  EXPECT_TRUE(rings[0].caught);
  // Rings 1 and 2 are both within reach of this point: both go in the same frame.
  EXPECT_EQ(UpdateCaught(rings, 1, {0, 100, -110}, 10.0), 3);
  EXPECT_TRUE(rings[1].caught && rings[2].caught);
  EXPECT_FALSE(rings[3].caught);
}

TEST(WorldCourse, EachRingIsDrawnWithTheRightMesh) {
  TRing_tab rings = RingsAt({{0, 0, 0}, {0, 0, -100}, {0, 0, -200}});
  int caught = 0;
  T_point far{1000, 1000, 1000};
  std::vector<TRingMesh> meshes;
  for (int i = 0; i < 3; ++i) meshes.push_back(StepRing(rings, i, caught, far, 10.0));
  EXPECT_EQ(meshes, (std::vector<TRingMesh>{TRingMesh::Ring, TRingMesh::None, TRingMesh::None}));
  // The frame that catches ring 0 draws it with neither mesh; ring 1 becomes current.
  meshes.clear();
  for (int i = 0; i < 3; ++i) meshes.push_back(StepRing(rings, i, caught, {0, 0, 0}, 10.0));
  EXPECT_EQ(meshes, (std::vector<TRingMesh>{TRingMesh::None, TRingMesh::Ring, TRingMesh::None}));
  EXPECT_EQ(caught, 1);
  meshes.clear();
  for (int i = 0; i < 3; ++i) meshes.push_back(StepRing(rings, i, caught, far, 10.0));
  EXPECT_EQ(meshes, (std::vector<TRingMesh>{TRingMesh::Caught, TRingMesh::Ring, TRingMesh::None}));
  // All caught: only caught meshes.
  caught = UpdateCaught(rings, caught, {0, 0, -100}, 10.0);
  caught = UpdateCaught(rings, caught, {0, 0, -200}, 10.0);
  EXPECT_EQ(caught, 3);
  meshes.clear();
  for (int i = 0; i < 3; ++i) meshes.push_back(StepRing(rings, i, caught, far, 10.0));
  EXPECT_EQ(meshes, (std::vector<TRingMesh>(3, TRingMesh::Caught)));
  ClearCaught(rings);
  EXPECT_FALSE(rings[0].caught || rings[1].caught || rings[2].caught);
}

TEST(WorldCourseGen, RingCountIsCappedOnSmallTerrains) {
  EXPECT_EQ(GeneratedRingCount(GridTerrain(128, 128, 0)), 10);
  // 32 x 32 cells: (320/72 + 1)^2 x (110/72 + 1) = 74.9, rounded 75, div 20 = 3.
  EXPECT_EQ(GeneratedRingCount(GridTerrain(32, 32, 0)), 3);
  EXPECT_EQ(GeneratedRingCount(t_rain{}), 0);
  t_rain zeroCells = GridTerrain(64, 64, 0);
  zeroCells.cellSize = 0.0;
  EXPECT_EQ(GeneratedRingCount(zeroCells), 0);
  EXPECT_EQ(WorldWidth(GridTerrain(33, 7, 0)), 330);
  EXPECT_EQ(WorldDepth(GridTerrain(33, 7, 0)), 70);
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(3.5), 4);
  EXPECT_EQ(RoundToInt(-0.5), 0);
}

TEST(WorldCourseGen, GeneratedRingsKeepTheirSpacingAndClearTheTerrain) {
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard(platform);
  t_rain terrain = HillyTerrain(128);
  const double a = 36.0;  // 3.6 cells
  for (std::uint32_t seed : {1u, 77u, 4242u}) {
    platform.now = seed;
    TRing_tab rings = GenerateCourse(terrain);
    ASSERT_EQ(rings.size(), 10u);
    for (std::size_t i = 0; i < rings.size(); ++i) {
      const TRing& r = rings[i];
      EXPECT_EQ(r.scale, 1.5);
      EXPECT_FALSE(r.caught);
      EXPECT_EQ(r.points.size(), 16u);
      EXPECT_EQ(r.rotation.z, 0.0);
      EXPECT_GE(r.origin.y, 0.0);
      EXPECT_LT(r.origin.y, 220.0);
      EXPECT_LE(std::fabs(r.origin.x), 640.0 - 12.0);
      EXPECT_LE(std::fabs(r.origin.z), 640.0 - 12.0);
      for (std::size_t k = 0; k < i; ++k) EXPECT_GT(Distance(r.origin, rings[k].origin), 72.0);
      if (r.origin.y > 110.0 + a) continue;
      // Walk the diagonal of the ring's square in grid-aligned units, one cell a step.
      const double gx = r.origin.x + 640.0;
      const double gz = 640.0 - r.origin.z;
      for (int d = 0;; ++d) {
        int col = static_cast<int>(std::nearbyint((gx - a + d * 10.0) / 10.0));
        int row = static_cast<int>(std::nearbyint((gz - a + d * 10.0) / 10.0));
        if (col > std::nearbyint((gx + a) / 10.0) || row > std::nearbyint((gz + a) / 10.0)) break;
        if (row < 0 || row >= 128 || col < 0 || col >= 128) continue;
        EXPECT_LT(terrain.Sample(row, col) * 110.0 / 255.0 + a + 4.0, r.origin.y) << "ring " << i;
      }
    }
  }
}

TEST(WorldCourseGen, TheClockSeedsTheCourse) {
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard(platform);
  t_rain terrain = GridTerrain(100, 100, 20);
  platform.now = 5000;
  TRing_tab first = GenerateCourse(terrain);
  TRing_tab again = GenerateCourse(terrain);
  platform.now = 5001;
  TRing_tab other = GenerateCourse(terrain);
  ASSERT_EQ(first.size(), again.size());
  EXPECT_EQ(first[3].origin.x, again[3].origin.x);
  EXPECT_NE(first[3].origin.x, other[3].origin.x);
}

TEST(WorldCourseGen, ClearanceWalkSeesOnlyItsDiagonalAndTakesZeroOutsideTheGrid) {
  t_rain terrain = GridTerrain(20, 20, 0);
  t_tab_pixel grid = *terrain.samples;
  grid[10][10] = 255;  // a spike on the diagonal of a ring at grid (100, y, 100)
  grid[4][16] = 255;   // off the diagonal
  terrain.samples = std::make_shared<const t_tab_pixel>(grid);
  EXPECT_FALSE(ClearsTerrain({100, 140, 100}, terrain, 36.0));
  EXPECT_TRUE(ClearsTerrain({100, 151, 100}, terrain, 36.0));  // 110 + 36 + 4 < 151
  EXPECT_TRUE(ClearsTerrain({100, 100, 100}, GridTerrain(20, 20, 0), 36.0));
  EXPECT_TRUE(ClearsTerrain({130, 41, 70}, terrain, 36.0)) << "the off-diagonal spike";
  EXPECT_FALSE(ClearsTerrain({130, 40, 70}, GridTerrain(20, 20, 0), 36.0)) << "36 + 4 < 40 fails";
  // Near and beyond the edges the walk reads height 0 outside the grid.
  EXPECT_TRUE(ClearsTerrain({-500, 41, -500}, terrain, 36.0));
  EXPECT_TRUE(ClearsTerrain({199, 41, 5}, GridTerrain(20, 20, 0), 36.0));
  EXPECT_TRUE(ClearsTerrain({0, 300, 0}, terrain, 36.0)) << "above the highest terrain";
}

TEST(WorldCourseGen, OneRingFacesMinusZAndNoneIsValid) {
  TRing_tab none;
  OrientRings(none);
  EXPECT_TRUE(none.empty());
  TRing_tab one = RingsAt({{5, 60, 5}});
  one[0].rotation = {12, 34, 56};
  OrientRings(one);
  EXPECT_EQ(one[0].rotation.x, 0.0);
  EXPECT_EQ(one[0].rotation.y, 0.0);
  EXPECT_EQ(one[0].rotation.z, 0.0);
  // A small terrain that holds a single ring.
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard(platform);
  t_rain small = GridTerrain(16, 16, 0);
  ASSERT_EQ(GeneratedRingCount(small), 1);
  TRing_tab course = GenerateCourse(small);
  ASSERT_EQ(course.size(), 1u);
  EXPECT_EQ(course[0].rotation.y, 0.0);
  EXPECT_TRUE(GenerateCourse(t_rain{}).empty());
}

TEST(WorldCourseGen, RingsTurnToFaceAlongTheCourse) {
  // Straight on toward -z: every ring keeps rotation 0.
  TRing_tab straight = RingsAt({{0, 100, 0}, {0, 100, -100}, {0, 100, -200}});
  OrientRings(straight);
  for (const TRing& r : straight) {  // a half turn leaves a ring as it was
    EXPECT_NEAR(std::remainder(r.rotation.x, 180.0), 0.0, 1e-9);
    EXPECT_NEAR(std::remainder(r.rotation.y, 180.0), 0.0, 1e-9);
  }
  // Toward +x: a quarter turn about y.
  TRing_tab sideways = RingsAt({{0, 100, 0}, {100, 100, 0}});
  OrientRings(sideways);
  EXPECT_NEAR(std::fabs(sideways[0].rotation.y), 90.0, 1e-9);
  EXPECT_NEAR(std::fabs(sideways[1].rotation.y), 90.0, 1e-9);
  // Coincident rings leave no direction, but no NaN either.
  TRing_tab same = RingsAt({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
  OrientRings(same);
  for (const TRing& r : same) EXPECT_FALSE(std::isnan(r.rotation.x) || std::isnan(r.rotation.y));
}

TEST(WorldCourseGen, BoundingPointsAreTheTwoBoxesTurnedAndPlaced) {
  TRing ring;
  ring.origin = {10, 20, 30};
  ring.scale = 1.5;
  BuildRingPoints(ring);
  ASSERT_EQ(ring.points.size(), 16u);
  auto expectAt = [](T_point got, T_point want) {
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
    EXPECT_NEAR(got.z, want.z, 1e-9);
  };
  expectAt(ring.points[0], {10 - 36, 20 - 36, 30 - 12});   // outer (-24, -24, -8)
  expectAt(ring.points[7], {10 + 36, 20 + 36, 30 + 12});   // outer (24, 24, 8)
  expectAt(ring.points[1], {10 + 36, 20 - 36, 30 - 12});   // last digit: x
  expectAt(ring.points[8], {10 - 24, 20 - 24, 30 - 6});    // inner (-16, -16, -4)
  expectAt(ring.points[15], {10 + 24, 20 + 24, 30 + 6});   // inner (16, 16, 4)
  ring.rotation = {0, 90, 0};
  BuildRingPoints(ring);
  // A quarter turn about y takes x to -z and z to x: (24, 24, 8) becomes (8, 24, -24).
  expectAt(ring.points[7], {10 + 12, 20 + 36, 30 - 36});
  ring.rotation = {90, 0, 0};
  BuildRingPoints(ring);
  // About x: y goes to z and z to -y: (24, 24, 8) becomes (24, -8, 24).
  expectAt(ring.points[7], {10 + 36, 20 - 12, 30 + 36});
}

TEST(WorldCourseGen, AHopelessTerrainEndsTheSearchWithFewerRings) {
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard(platform);
  // Full-height samples and a maximum height of 10: nothing ever clears 10 + 36 + 4.
  t_rain wall = GridTerrain(40, 40, 255, 10.0);
  ASSERT_GE(GeneratedRingCount(wall), 1);
  EXPECT_TRUE(GenerateCourse(wall).empty());
}
