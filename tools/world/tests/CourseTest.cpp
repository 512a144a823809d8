#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>

#include "tools/world/Courses.h"
#include "world/CourseGen.h"
#include "world/Heightmap.h"

namespace {

const TTrackDesign& Design(const std::string& name) {
  for (const TTrackDesign& d : TrackDesigns())
    if (d.name == name) return d;
  throw std::runtime_error("no design " + name);
}

// Each course's terrain is built once for all the tests.
const t_rain& TerrainFor(const TTrackDesign& design) {
  static std::map<std::string, t_rain> built;
  auto found = built.find(design.name);
  if (found == built.end())
    found = built.emplace(design.name, TerrainOf(BuildTrackData(design), BuildHeightmap(design))).first;
  return found->second;
}

// The ring's hole as the course draws it: the mesh's z axis turned about x, then about y.
T_point HoleAxis(const TRing& ring) {
  const double x = ring.rotation.x * 3.14159265358979 / 180.0;
  const double y = ring.rotation.y * 3.14159265358979 / 180.0;
  return {std::cos(x) * std::sin(y), -std::sin(x), std::cos(x) * std::cos(y)};
}

double Climb(const TTrackData& track) {
  double climb = 0.0;
  double last = kStartPoint.y;
  for (const TRing& ring : track.rings) {
    climb += std::max(0.0, ring.origin.y - last);
    last = ring.origin.y;
  }
  return climb;
}

const char* const kSeasons[] = {"summer", "autumn", "winter", "final"};

}  // namespace

TEST(WorldgenCourse, RingsStandOnTheFlightPlanAndFaceAlongIt) {
  const TTrackDesign& design = Design("dunmarrow");
  const TTrackData track = BuildTrackData(design);
  const T_tab_point centres = RingCentres(design.plan);
  ASSERT_EQ(track.rings.size(), centres.size());
  T_point previous = kStartPoint;
  for (size_t i = 0; i < track.rings.size(); ++i) {
    const TRing& ring = track.rings[i];
    EXPECT_DOUBLE_EQ(ring.origin.x, centres[i].x);
    EXPECT_DOUBLE_EQ(ring.scale, 0.15 * design.cellSize);
    EXPECT_EQ(ring.rotation.z, 0.0);
    // The player arrives from the previous ring through the hole, not across the ring.
    T_point in{ring.origin.x - previous.x, ring.origin.y - previous.y, ring.origin.z - previous.z};
    const double length = std::sqrt(in.x * in.x + in.y * in.y + in.z * in.z);
    const T_point axis = HoleAxis(ring);
    EXPECT_GT(std::fabs(axis.x * in.x + axis.y * in.y + axis.z * in.z) / length, 0.9) << "ring " << i;
    previous = ring.origin;
  }
  // The first ring stands straight ahead of the start, facing it.
  EXPECT_NEAR(std::fabs(std::remainder(track.rings[0].rotation.y, 360.0)), 180.0, 2.0);
}

TEST(WorldgenCourse, BoundingPointsAreTheCourseRulesOwn) {
  const TTrackData track = BuildTrackData(Design("ridezi"));
  for (const TRing& ring : track.rings) {
    TRing again = ring;
    BuildRingPoints(again);
    ASSERT_EQ(ring.points.size(), 16u);
    for (size_t k = 0; k < 16; ++k) EXPECT_DOUBLE_EQ(ring.points[k].y, again.points[k].y);
  }
}

TEST(WorldgenCourse, TrackValuesNameTheTracksOwnFiles) {
  const TTrackData track = BuildTrackData(Design("autumn"));
  EXPECT_EQ(track.heightmapPath, "screenplay_data/autumn/autumn.bmp");
  EXPECT_EQ(track.musicPath, "sounds/autumn.mp3");
  EXPECT_EQ(track.terrain.groundTexturePath, "textures/autumn_ground.jpg");
  EXPECT_EQ(track.terrain.terrainTexturePath, "textures/autumn_terrain.jpg");
  EXPECT_EQ(track.terrain.skyTexturePath, "textures/autumn_sky.jpg");
  const TTrackData read = ParseTrackText(FormatTrackFile("autumn", track), "autumn.track");
  EXPECT_EQ(read.rings.size(), track.rings.size());
  EXPECT_EQ(read.initialTime, track.initialTime);
  EXPECT_DOUBLE_EQ(read.terrain.cellSize, track.terrain.cellSize);
}

TEST(WorldgenCourse, EveryCourseIsFlownWellWithinItsTime) {
  for (const TTrackDesign& design : TrackDesigns()) {
    if (design.trackPath.empty()) continue;
    SCOPED_TRACE(design.name);
    const TCourseCheck check = CheckCourse(BuildTrackData(design), TerrainFor(design));
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_LE(check.framesFlown, 0.8 * check.framesAllowed);
    // ... but not so slack that the clock never matters.
    EXPECT_GE(check.framesFlown, 0.2 * check.framesAllowed);
    EXPECT_GT(check.lowestClearance, 10.0);
  }
}

TEST(WorldgenCourse, CheckRefusesRingsInTheGroundOffTheGridOrShortOfTime) {
  const TTrackDesign& design = Design("test");
  const t_rain& terrain = TerrainFor(design);
  TTrackData buried = BuildTrackData(design);
  buried.rings[2].origin.y = 20.0;
  EXPECT_NE(CheckCourse(buried, terrain).problem.find("ring 2 touches the terrain"), std::string::npos);
  TTrackData outside = BuildTrackData(design);
  outside.rings[1].origin.x = terrain.Cols() * terrain.cellSize;
  EXPECT_NE(CheckCourse(outside, terrain).problem.find("ring 1 lies outside"), std::string::npos);
  TTrackData hurried = BuildTrackData(design);
  hurried.initialTime = 5;
  const TCourseCheck rushed = CheckCourse(hurried, terrain);
  EXPECT_FALSE(rushed.ok);
  EXPECT_NE(rushed.problem.find("autopilot"), std::string::npos);
}

TEST(WorldgenCourse, SeasonsGrowHarderFromSummerToFinal) {
  double lastRings = 0, lastSlack = 1e9, lastClimb = -1;
  for (const char* season : kSeasons) {
    SCOPED_TRACE(season);
    const TTrackDesign& design = Design(season);
    const TTrackData track = BuildTrackData(design);
    const TCourseCheck check = CheckCourse(track, TerrainFor(design));
    const double slack = static_cast<double>(check.framesAllowed) / check.framesFlown;
    EXPECT_GT(track.rings.size(), lastRings);
    EXPECT_LT(slack, lastSlack);
    EXPECT_GT(Climb(track), lastClimb);
    lastRings = static_cast<double>(track.rings.size());
    lastSlack = slack;
    lastClimb = Climb(track);
  }
}

TEST(WorldgenCourse, WinterLeavesRoomForTheRandomRace) {
  // The random race reads the winter heightmap with the terrain's defaults.
  const TTrackDesign& winter = Design("winter");
  t_rain terrain = TerrainValues(winter.heightmapPath, kDefaultAccuracy, kDefaultCellSize,
                                 DefaultMaxHeight(kDefaultCellSize, kDefaultAccuracy), "", "", "", kDefaultMaterial);
  terrain = TerrainOf(TTrackData{winter.heightmapPath, 0, "", terrain, {}}, BuildHeightmap(winter));
  EXPECT_EQ(GeneratedRingCount(terrain), 10);
  EXPECT_LE(WorldWidth(terrain), 1000);  // ten rings a few seconds apart
  EXPECT_EQ(terrain.maxHeight, 110.0);
  EXPECT_EQ(GenerateCourse(terrain).size(), 10u);
}
