#include "cutscene/CameraPath.h"

#include <algorithm>
#include <cmath>

#include "world/TerrainMesh.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAltitudeStep = 0.05;  // seconds between two planned heights
constexpr double kLookAround = 2.5;     // seconds of flight over which heights are weighed
constexpr double kEmptyHalfSide = 500.0;  // the loop's size over a terrain without cells
constexpr double kEmptyCellSize = 10.0;
constexpr double kLookDistance = 100.0;

double Rad(double degrees) { return degrees * kPi / 180.0; }

T_point Normalised(T_point v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length <= 0.0) return {1.0, 0.0, 0.0};
  return {v.x / length, v.y / length, v.z / length};
}

// Highest value of `values` within `k` places of every place.
std::vector<double> RunningMax(const std::vector<double>& values, int k) {
  std::vector<double> out(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t from = i >= static_cast<std::size_t>(k) ? i - k : 0;
    const std::size_t to = std::min(values.size() - 1, i + k);
    out[i] = *std::max_element(values.begin() + from, values.begin() + to + 1);
  }
  return out;
}

// Mean of `values` within `k` places of every place.
std::vector<double> RunningMean(const std::vector<double>& values, int k) {
  std::vector<double> out(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t from = i >= static_cast<std::size_t>(k) ? i - k : 0;
    const std::size_t to = std::min(values.size() - 1, i + k);
    double sum = 0.0;
    for (std::size_t j = from; j <= to; ++j) sum += values[j];
    out[i] = sum / static_cast<double>(to - from + 1);
  }
  return out;
}

}  // namespace

double GroundHeightNear(const t_rain& terrain, double x, double z, double reach) {
  const int rows = MeshRows(terrain);
  const int cols = MeshCols(terrain);
  if (rows == 0 || cols == 0 || terrain.cellSize <= 0.0) return 0.0;
  const T_point offset = TerrainOffset(terrain);
  // Sample (row j, column i) stands at x = offset.x + cell i, z = offset.z - cell j.
  const double cell = terrain.cellSize;
  const int i0 = std::max(0, static_cast<int>(std::floor((x - reach - offset.x) / cell)));
  const int i1 = std::min(cols - 1, static_cast<int>(std::ceil((x + reach - offset.x) / cell)));
  const int j0 = std::max(0, static_cast<int>(std::floor((offset.z - z - reach) / cell)));
  const int j1 = std::min(rows - 1, static_cast<int>(std::ceil((offset.z - z + reach) / cell)));
  int highest = 0;
  for (int j = j0; j <= j1; ++j) {
    for (int i = i0; i <= i1; ++i) highest = std::max(highest, static_cast<int>(terrain.Sample(j, i)));
  }
  return highest * terrain.maxHeight / 255.0;
}

TCameraPath::TCameraPath(const t_rain& terrain, double seconds, bool ending, int film) {
  const bool empty = MeshRows(terrain) == 0 || MeshCols(terrain) == 0;
  const double halfX = empty ? kEmptyHalfSide : MeshCols(terrain) * terrain.cellSize / 2.0;
  const double halfZ = empty ? kEmptyHalfSide : MeshRows(terrain) * terrain.cellSize / 2.0;
  const double spread = ending ? 0.5 : 0.42;
  radiusX_ = spread * halfX;
  radiusZ_ = spread * halfZ;
  // Each film sets off from another side of its terrain.
  startAngle_ = Rad(70.0 * film + 20.0);
  angularSpeed_ = 2.0 * kPi / (ending ? 130.0 : 75.0);
  const double cell = empty || terrain.cellSize <= 0.0 ? kEmptyCellSize : terrain.cellSize;
  reach_ = 2.5 * cell;
  clearance_ = (ending ? 0.4 : 0.22) * terrain.maxHeight + (ending ? 3.0 : 2.0) * cell;
  pitchDegrees_ = ending ? 10.0 : 13.0;
  PlanAltitudes(terrain, seconds);
}

// Heights along the whole flight: the highest ground near the track over a few seconds
// either side, lifted by the clearance, then averaged over the same span. Every height
// in the average is at least the clearance above the ground at the middle of its span,
// so the smoothing never brings the camera down into a hill.
void TCameraPath::PlanAltitudes(const t_rain& terrain, double seconds) {
  const int steps = static_cast<int>(std::ceil((std::max(seconds, 0.0) + 2.0 * kLookAround) / kAltitudeStep));
  std::vector<double> ground(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const T_point p = GroundTrack(i * kAltitudeStep - kLookAround);
    ground[i] = GroundHeightNear(terrain, p.x, p.z, reach_);
  }
  const int k = static_cast<int>(std::lround(kLookAround / kAltitudeStep));
  std::vector<double> envelope = RunningMax(ground, k);
  for (double& height : envelope) height += clearance_;
  altitudes_ = RunningMean(envelope, k);
}

T_point TCameraPath::GroundTrack(double t) const {
  const double angle = startAngle_ + angularSpeed_ * t;
  // A loop that breathes in and out a little, so the flight is no plain ellipse.
  const double swell = 1.0 + 0.12 * std::sin(3.0 * angle + 0.7);
  return {radiusX_ * swell * std::cos(angle), 0.0, radiusZ_ * swell * std::sin(angle)};
}

double TCameraPath::AltitudeAt(double t) const {
  if (altitudes_.empty()) return clearance_;
  const double place = std::clamp((t + kLookAround) / kAltitudeStep, 0.0,
                                  static_cast<double>(altitudes_.size() - 1));
  const std::size_t below = static_cast<std::size_t>(std::floor(place));
  const std::size_t above = std::min(below + 1, altitudes_.size() - 1);
  const double u = place - static_cast<double>(below);
  return altitudes_[below] * (1.0 - u) + altitudes_[above] * u;
}

T_point TCameraPath::Heading(double t) const {
  const T_point ahead = GroundTrack(t + kAltitudeStep);
  const T_point behind = GroundTrack(t - kAltitudeStep);
  return Normalised({ahead.x - behind.x, 0.0, ahead.z - behind.z});
}

TCameraPose TCameraPath::PoseAt(double t) const {
  TCameraPose pose;
  pose.eye = GroundTrack(t);
  pose.eye.y = AltitudeAt(t);
  const T_point heading = Heading(t);
  // Turned a little towards the middle of the loop, where most of the terrain lies.
  T_point inward{-heading.z, 0.0, heading.x};
  if (inward.x * -pose.eye.x + inward.z * -pose.eye.z < 0.0) inward = {-inward.x, 0.0, -inward.z};
  const double turn = Rad(inwardDegrees_);
  const T_point look{heading.x * std::cos(turn) + inward.x * std::sin(turn), 0.0,
                     heading.z * std::cos(turn) + inward.z * std::sin(turn)};
  pose.target = {pose.eye.x + look.x * kLookDistance,
                 pose.eye.y - kLookDistance * std::tan(Rad(pitchDegrees_)),
                 pose.eye.z + look.z * kLookDistance};
  return pose;
}
