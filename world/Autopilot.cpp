#include "world/Autopilot.h"

#include <algorithm>
#include <cmath>

#include "assets/Lgeometry.h"
#include "world/Course.h"

namespace {

constexpr double kPi = 3.1415926535897932385;
constexpr double kHeadingDeadBand = 1.0;  // degrees: a 2-degree turn would overshoot
constexpr double kPitchDeadBand = 1.0;
constexpr double kMaxPitch = 80.0;
constexpr double kTerrainMargin = 25.0;  // the flight rules refuse anything under 10
constexpr double kLookAhead = 300.0;

double Deg(double radians) { return radians * 180.0 / kPi; }
double Rad(double degrees) { return degrees * kPi / 180.0; }

double Wrap180(double degrees) {
  double a = std::remainder(degrees, 360.0);
  return std::isfinite(a) ? a : 0.0;
}

// Radius of the circle the craft flies at full turn rate.
double TurnRadius(double speed) { return speed / Rad(kTurnStep); }

// World height of the sample under a world point, looked up as the flight rules do;
// outside the grid, where the craft may not go anyway, 0.
double TerrainHeightAt(const t_rain& terrain, double worldX, double worldZ) {
  int row = 0;
  int column = 0;
  WorldToGrid({-worldX, 0.0, -worldZ}, terrain, row, column);
  if (row < 0 || column < 0 || row >= terrain.Rows() || column >= terrain.Cols()) return 0.0;
  return terrain.Sample(row, column) * terrain.maxHeight / 255.0;
}

// Highest ground along the heading over the next `distance` units.
double HighestGroundAhead(const t_rain& terrain, T_point world, double yaw, double distance) {
  const double step = std::max(1.0, terrain.cellSize / 2.0);
  double highest = 0.0;
  for (double s = 0.0; s <= distance; s += step) {
    highest = std::max(highest, TerrainHeightAt(terrain, world.x + std::sin(Rad(yaw)) * s,
                                                world.z - std::cos(Rad(yaw)) * s));
  }
  return highest;
}

// Whether the target lies inside the circle the craft would turn on at this speed, so
// that it must slow down (and, at rest speed, turn where it hovers) to reach it.
bool TooTightToReach(double distance, double error, double speed) {
  if (std::fabs(error) <= 2.0 * kHeadingDeadBand) return false;
  const double r = TurnRadius(speed + 1.0);
  const double forward = distance * std::cos(Rad(error));
  const double lateral = std::fabs(distance * std::sin(Rad(error)));
  return std::hypot(forward, lateral - r) < r;
}

double WantedPitch(const t_rain& terrain, const TCraftState& craft, T_point world, T_point aim,
                   double distance) {
  const double ahead = std::clamp(distance - 40.0, 3.0 * craft.speed, kLookAhead);
  const double ground = HighestGroundAhead(terrain, world, craft.rotation.y, ahead);
  const double height = std::max(aim.y, ground + kTerrainMargin);
  const double ratio = (height - world.y) / std::max(distance, craft.speed);
  return std::clamp(-Deg(std::asin(std::clamp(ratio, -1.0, 1.0))), -kMaxPitch, kMaxPitch);
}

void SteerPitch(TPlayerKeys& keys, double pitch, double wanted) {
  if (pitch < wanted - kPitchDeadBand) keys.noseDown = true;
  if (pitch > wanted + kPitchDeadBand) keys.noseUp = true;
}

}  // namespace

T_point PlayerPointOf(const TCraftState& craft) {
  return {-craft.position.x, -craft.position.y - kPlayerPointDrop, -craft.position.z};
}

TPlayerKeys AutopilotKeys(const TCraftState& craft, T_point target, const t_rain& terrain) {
  const T_point world{-craft.position.x, -craft.position.y, -craft.position.z};
  const T_point aim{target.x, target.y + kPlayerPointDrop, target.z};
  const double dx = aim.x - world.x;
  const double dz = aim.z - world.z;
  const double distance = std::hypot(dx, dz);
  const double error = Wrap180(Deg(std::atan2(dx, -dz)) - craft.rotation.y);
  TPlayerKeys keys;
  if (error > kHeadingDeadBand) keys.right = true;
  if (error < -kHeadingDeadBand) keys.left = true;
  SteerPitch(keys, craft.rotation.x, WantedPitch(terrain, craft, world, aim, distance));
  keys.thrust = !TooTightToReach(distance, error, craft.speed);
  // Ground in the way: climb, and when already steep, turn to find another way.
  if (keys.thrust && IsBlocked(terrain, craft.position, FlightStep(craft.rotation, craft.speed))) {
    keys.noseDown = false;
    keys.noseUp = craft.rotation.x > -kMaxPitch;
    if (!keys.noseUp) {
      keys.left = false;
      keys.right = true;
    }
  }
  return keys;
}

TAutopilotResult FlyCourse(const t_rain& terrain, const TRing_tab& rings, int frameBudget) {
  TRing_tab course = rings;
  ClearCaught(course);
  TPhysicsState physics = StartPhysics(kRaceStart);
  TCraftState& craft = physics.players[0];
  const int last = static_cast<int>(course.size()) - 1;
  TAutopilotResult result;
  while (result.ringsCaught <= last && result.framesUsed < frameBudget) {
    ++result.framesUsed;
    // The race takes the player point before the craft moves in the frame.
    const T_point player = PlayerPointOf(craft);
    const T_point target = course[static_cast<std::size_t>(result.ringsCaught)].origin;
    UpdateCraft(physics, 0, AutopilotKeys(craft, target, terrain), false, terrain);
    result.ringsCaught = UpdateCaught(course, result.ringsCaught, player, terrain.cellSize);
  }
  result.finished = result.ringsCaught > last;
  return result;
}
