#include "tools/world/Courses.h"

#include <algorithm>
#include <cmath>

#include "world/Autopilot.h"
#include "world/CourseGen.h"
#include "world/Heightmap.h"
#include "assets/Lgeometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFramesPerSecond = 30;
constexpr int kEdgeCells = 3;  // rings keep this many cells from the grid's border

double Deg(double radians) { return radians * 180.0 / kPi; }

// The direction of flight at each ring, taken from the flight line on either side of it.
std::vector<T_point> RingHeadings(const std::vector<TLeg>& plan) {
  const std::vector<TPathPoint> line = FlightLine(plan, 10.0);
  std::vector<T_point> headings;
  for (size_t i = 1; i < line.size(); ++i) {
    if (!line[i].ring) continue;
    const T_point& from = line[i - 1].position;
    const T_point& to = line[std::min(i + 1, line.size() - 1)].position;
    headings.push_back({to.x - from.x, to.y - from.y, to.z - from.z});
  }
  return headings;
}

// Turns the ring's hole (the mesh's z axis, turned about x and then about y as the course
// draws it) along the direction of flight.
T_point FacingAlong(T_point d) {
  const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  return {-Deg(std::asin(d.y / length)), Deg(std::atan2(d.x, d.z)), 0.0};
}

TRing_tab PlanRings(const TTrackDesign& design) {
  const T_tab_point centres = RingCentres(design.plan);
  const std::vector<T_point> headings = RingHeadings(design.plan);
  TRing_tab rings;
  for (size_t i = 0; i < centres.size(); ++i) {
    TRing ring;
    ring.origin = centres[i];
    ring.rotation = FacingAlong(headings[i]);
    ring.scale = RingScale(design.cellSize);
    BuildRingPoints(ring);
    rings.push_back(ring);
  }
  return rings;
}

// Highest ground under the ring's square (its outer half-size around the centre).
double GroundUnder(const TRing& ring, const t_rain& terrain) {
  const double half = kRingPlacementFactor * ring.scale;
  const double cell = terrain.cellSize;
  double highest = 0.0;
  for (double dx = -half; dx <= half; dx += cell / 2.0) {
    for (double dz = -half; dz <= half; dz += cell / 2.0) {
      int row = 0, column = 0;
      WorldToGrid({-(ring.origin.x + dx), 0.0, -(ring.origin.z + dz)}, terrain, row, column);
      if (row >= 0 && column >= 0 && row < terrain.Rows() && column < terrain.Cols())
        highest = std::max(highest, terrain.Sample(row, column) * terrain.maxHeight / 255.0);
    }
  }
  return highest;
}

std::string PlaceProblem(const TRing& ring, size_t index, const t_rain& terrain, double& clearance) {
  int row = 0, column = 0;
  WorldToGrid({-ring.origin.x, 0.0, -ring.origin.z}, terrain, row, column);
  const std::string name = "ring " + std::to_string(index);
  if (row < kEdgeCells || column < kEdgeCells || row > terrain.Rows() - 1 - kEdgeCells ||
      column > terrain.Cols() - 1 - kEdgeCells)
    return name + " lies outside the grid's inner cells";
  const double rim = ring.origin.y - kRingPlacementFactor * ring.scale;
  clearance = std::min(clearance, rim - GroundUnder(ring, terrain));
  if (rim - GroundUnder(ring, terrain) < 10.0) return name + " touches the terrain";
  return "";
}

}  // namespace

double RingScale(double cellSize) { return 0.15 * cellSize; }

TTrackData BuildTrackData(const TTrackDesign& design) {
  TTrackData track;
  track.heightmapPath = design.heightmapPath;
  track.initialTime = design.timeAllowed;
  track.musicPath = MusicPathOf(design);
  track.terrain = TerrainValues(design.heightmapPath, design.accuracy, design.cellSize, design.maxHeight,
                                TexturePathOf(design, "ground"), TexturePathOf(design, "terrain"),
                                TexturePathOf(design, "sky"), kDefaultMaterial);
  track.rings = PlanRings(design);
  return track;
}

t_rain TerrainOf(const TTrackData& track, const THeightmap& map) {
  std::string consoleLine;
  t_rain terrain = track.terrain;
  const t_tab_pixel grid = ParseHeightmap(HeightmapBmp(map), track.heightmapPath, consoleLine);
  terrain.samples = std::make_shared<const t_tab_pixel>(ThinGrid(grid, terrain.accuracy));
  return terrain;
}

TCourseCheck CheckCourse(const TTrackData& track, const t_rain& terrain) {
  TCourseCheck check;
  check.framesAllowed = track.initialTime * kFramesPerSecond;
  check.lowestClearance = 1e9;
  if (terrain.Empty()) {
    check.problem = "the terrain has no samples";
    return check;
  }
  for (size_t i = 0; i < track.rings.size(); ++i) {
    check.problem = PlaceProblem(track.rings[i], i, terrain, check.lowestClearance);
    if (!check.problem.empty()) return check;
  }
  const TAutopilotResult flight = FlyCourse(terrain, track.rings, check.framesAllowed);
  check.framesFlown = flight.framesUsed;
  if (!flight.finished) {
    check.problem = "the autopilot caught " + std::to_string(flight.ringsCaught) + " of " +
                    std::to_string(track.rings.size()) + " rings in the time allowed";
  } else if (flight.framesUsed > kAutopilotShare * check.framesAllowed) {
    check.problem = "the autopilot needs " + std::to_string(flight.framesUsed) + " of " +
                    std::to_string(check.framesAllowed) + " frames";
  }
  check.ok = check.problem.empty();
  return check;
}
