#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "modes/TrackFile.h"
#include "platform/ScriptedPlatform.h"
#include "world/Autopilot.h"
#include "world/Course.h"
#include "world/CourseGen.h"
#include "world/Heightmap.h"

namespace {

t_rain Terrain(int size, double maxHeight, const std::function<int(int, int)>& height) {
  t_tab_pixel grid(static_cast<std::size_t>(size), std::vector<std::uint8_t>(static_cast<std::size_t>(size)));
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      grid[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(std::clamp(height(i, j), 0, 255));
    }
  }
  t_rain t;
  t.cellSize = 10.0;
  t.maxHeight = maxHeight;
  t.samples = std::make_shared<const t_tab_pixel>(std::move(grid));
  return t;
}

TRing_tab RingsAt(std::initializer_list<T_point> origins) {
  TRing_tab rings;
  for (const T_point& p : origins) {
    TRing r;
    r.origin = p;
    rings.push_back(r);
  }
  return rings;
}

}  // namespace

TEST(WorldAutopilot, FliesAHandBuiltCourseInAllDirections) {
  t_rain flat = Terrain(128, 110.0, [](int, int) { return 0; });
  // Ahead, then sharply right and up, then back behind the start, low, then high.
  TRing_tab rings = RingsAt({{0, 195, -300}, {150, 260, -320}, {0, 60, 200}, {-300, 400, 100}});
  TAutopilotResult result = FlyCourse(flat, rings, 3000);
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.ringsCaught, 4);
  EXPECT_LT(result.framesUsed, 600);
  // Straight ahead, 300 units: thrust all the way, about 20 frames.
  TAutopilotResult straight = FlyCourse(flat, RingsAt({{0, 195, -300}}), 3000);
  EXPECT_TRUE(straight.finished);
  EXPECT_LE(straight.framesUsed, 25);
}

TEST(WorldAutopilot, ReportsWhatItCaughtWhenTheBudgetRunsOut) {
  t_rain flat = Terrain(128, 110.0, [](int, int) { return 0; });
  TRing_tab rings = RingsAt({{0, 195, -300}, {0, 195, 600}});
  TAutopilotResult result = FlyCourse(flat, rings, 30);
  EXPECT_FALSE(result.finished);
  EXPECT_EQ(result.ringsCaught, 1);
  EXPECT_EQ(result.framesUsed, 30);
  TAutopilotResult none = FlyCourse(flat, TRing_tab{}, 100);
  EXPECT_TRUE(none.finished);
  EXPECT_EQ(none.framesUsed, 0);
  // A ring beyond the grid's edge cannot be reached: the craft may not leave the grid.
  TAutopilotResult outside = FlyCourse(flat, RingsAt({{0, 195, -2000}}), 300);
  EXPECT_FALSE(outside.finished);
}

TEST(WorldAutopilot, ClimbsOverHillsOnTheWay) {
  // A ridge 180 units high across the way, between the start and a low ring behind it.
  t_rain ridge = Terrain(128, 255.0, [](int, int j) { return j >= 80 && j <= 84 ? 180 : 0; });
  TRing_tab rings = RingsAt({{0, 60, -400}});
  TAutopilotResult result = FlyCourse(ridge, rings, 2000);
  EXPECT_TRUE(result.finished);
  EXPECT_LT(result.framesUsed, 200);
}

TEST(WorldAutopilot, FliesGeneratedCourses) {
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard(platform);
  t_rain hills = Terrain(128, 110.0, [](int i, int j) {
    return static_cast<int>(127 + 90 * std::sin(i * 0.13) * std::cos(j * 0.11));
  });
  for (std::uint32_t seed : {3u, 30u, 300u, 3000u}) {
    platform.now = seed;
    TRing_tab rings = GenerateCourse(hills);
    ASSERT_EQ(rings.size(), 10u);
    TAutopilotResult result = FlyCourse(hills, rings, 30 * 120);
    EXPECT_TRUE(result.finished) << "seed " << seed << ": " << result.ringsCaught << " rings";
  }
}

TEST(WorldAutopilot, KeysTurnTowardTheTargetAndHoldThrustWhenReachable) {
  t_rain flat = Terrain(64, 110.0, [](int, int) { return 0; });
  TCraftState craft;
  craft.position = {0, -200, 0};
  TPlayerKeys ahead = AutopilotKeys(craft, {0, 195, -300}, flat);
  EXPECT_TRUE(ahead.thrust);
  EXPECT_FALSE(ahead.left || ahead.right || ahead.noseDown || ahead.noseUp);
  TPlayerKeys right = AutopilotKeys(craft, {300, 195, -300}, flat);
  EXPECT_TRUE(right.right && !right.left);
  TPlayerKeys below = AutopilotKeys(craft, {0, 50, -300}, flat);
  EXPECT_TRUE(below.noseDown);
  // Close behind at full speed: slow down and turn where it hovers.
  craft.speed = 21;
  TPlayerKeys behind = AutopilotKeys(craft, {30, 195, 60}, flat);
  EXPECT_FALSE(behind.thrust);
  EXPECT_TRUE(behind.right);
  T_point point = PlayerPointOf(craft);
  EXPECT_EQ(point.y, 195.0);
}

// Every course the game ships must be flyable well inside its time, at 30 frames a second.
class WorldShippedCourse : public testing::TestWithParam<std::string> {};

TEST_P(WorldShippedCourse, AutopilotFinishesWithinEightyPercentOfTheTimeAllowed) {
  const std::string runDir = VELMORA_RUN_DIR;
  const std::string path = runDir + "/" + GetParam();
  if (!std::filesystem::exists(path)) {
    GTEST_SKIP() << GetParam() << " is not in " << runDir << " (content not generated yet)";
  }
  TTrackData track = ReadTrackFile(path);
  t_rain terrain = track.terrain;
  terrain.heightmapPath = runDir + "/" + track.heightmapPath;
  LoadTerrainSamples(terrain);
  ASSERT_FALSE(terrain.Empty()) << track.heightmapPath;
  const int allowed = track.initialTime * 30;
  TAutopilotResult result = FlyCourse(terrain, track.rings, allowed);
  EXPECT_TRUE(result.finished) << result.ringsCaught << " of " << track.rings.size() << " rings";
  EXPECT_LE(result.framesUsed, allowed * 8 / 10)
      << GetParam() << ": " << result.framesUsed << " frames of " << allowed;
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, WorldShippedCourse,
    testing::Values("track_data/dunmarrow.track", "track_data/ridezi.track", "track_data/large.track",
                    "track_data/lanterne.track", "track_data/test.track",
                    "screenplay_data/summer/summer.track", "screenplay_data/autumn/autumn.track",
                    "screenplay_data/winter/winter.track", "screenplay_data/final/final.track"),
    [](const testing::TestParamInfo<std::string>& info) {
      std::string name = info.param.substr(info.param.find_last_of('/') + 1);
      return name.substr(0, name.find('.'));
    });
