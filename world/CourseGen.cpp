#include "world/CourseGen.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "assets/Lgeometry.h"
#include "assets/Lnb.h"
#include "platform/Window.h"

namespace {

// Enough for any terrain on which a ring fits at all; a hopeless one ends the search.
constexpr int kMaxPlacementTries = 200000;

int SampleOrZero(const t_rain& terrain, int row, int column) {
  if (row < 0 || column < 0 || row >= terrain.Rows()) return 0;
  const auto& samples = (*terrain.samples)[static_cast<std::size_t>(row)];
  if (column >= static_cast<int>(samples.size())) return 0;
  return samples[static_cast<std::size_t>(column)];
}

bool UsableTerrain(const t_rain& terrain) {
  return std::isfinite(terrain.cellSize) && terrain.cellSize > 0.0 &&
         std::isfinite(terrain.maxHeight);
}

// A NaN from two coincident rings would turn the bounding points into NaN as well.
double OrNothing(double angle) { return std::isnan(angle) ? 0.0 : angle; }

T_point RandomCandidate(const t_rain& terrain, const TRandomSource& random) {
  const double w = WorldWidth(terrain);
  const double d = WorldDepth(terrain);
  T_point c;
  c.x = random() * (w - 24.0) + 12.0;
  c.y = random() * 2.0 * terrain.maxHeight;
  c.z = random() * (d - 24.0) + 12.0;
  return c;
}

// Ring-local corner k: points 0-7 on the outer box (24, 24, 8), 8-15 on the inner box
// (16, 16, 4); a binary digit 1 takes the positive side.
T_point BoxCorner(int k) {
  std::string bits = ToBinaryText(k);
  bits.insert(0, 4 - std::min<std::size_t>(4, bits.size()), '0');
  const int d = bits[0] == '1' ? 0 : 1;
  auto side = [&](int i) { return 2 * (bits[static_cast<std::size_t>(i)] - '0') - 1; };
  T_point p;
  p.z = (d * kRingHalfDepthStep + kRingBaseHalfDepth) * side(1);
  p.y = (d * kRingHalfSizeStep + kRingBaseHalfSize) * side(2);
  p.x = (d * kRingHalfSizeStep + kRingBaseHalfSize) * side(3);
  return p;
}

}  // namespace

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(std::nearbyint(value));
}

double MinRingSpacing(double cellSize) { return 48.0 * cellSize * 0.15; }
double GeneratedRingScale(double cellSize) { return 0.15 * cellSize; }
int WorldWidth(const t_rain& terrain) { return RoundToInt(terrain.Cols() * terrain.cellSize); }
int WorldDepth(const t_rain& terrain) { return RoundToInt(terrain.Rows() * terrain.cellSize); }

int GeneratedRingCount(const t_rain& terrain, int requested) {
  if (!UsableTerrain(terrain)) return 0;
  const double e = MinRingSpacing(terrain.cellSize);
  const double volume = (WorldWidth(terrain) / e + 1.0) * (WorldDepth(terrain) / e + 1.0) *
                        (terrain.maxHeight / e + 1.0);
  return std::max(0, std::min(requested, RoundToInt(volume) / 20));
}

T_point GridToWorld(T_point grid, const t_rain& terrain) {
  const double cell = terrain.cellSize;
  return {grid.x - terrain.Cols() * cell / 2.0, grid.y, terrain.Rows() * cell / 2.0 - grid.z};
}

// The walk samples its first position twice and stops before sampling the last one.
bool ClearsTerrain(T_point c, const t_rain& terrain, double a) {
  const double cell = terrain.cellSize;
  const double k = terrain.maxHeight / 255.0;
  if (c.y > terrain.maxHeight + a) return true;
  const int i1 = RoundToInt((c.x + a) / cell);
  const int j1 = RoundToInt((c.z + a) / cell);
  int i = RoundToInt((c.x - a) / cell);
  int j = RoundToInt((c.z - a) / cell);
  // The walk ends by itself after about 7 cells; the bound only guards odd arithmetic.
  const long long steps = static_cast<long long>(i1) - i + (static_cast<long long>(j1) - j) + 2;
  bool clear = true;
  for (long long d = 0; d <= steps; ++d) {
    clear = SampleOrZero(terrain, j, i) * k + a + 4.0 < c.y;
    i = RoundToInt((c.x - a + static_cast<double>(d) * cell) / cell);
    j = RoundToInt((c.z - a + static_cast<double>(d) * cell) / cell);
    if (!clear || i > i1 || j > j1) break;
  }
  return clear;
}

bool IsAcceptablePlacement(T_point c, const TRing_tab& placed, const t_rain& terrain) {
  const double a = kRingPlacementFactor * GeneratedRingScale(terrain.cellSize);
  if (!ClearsTerrain(c, terrain, a)) return false;
  const T_point world = GridToWorld(c, terrain);
  const double spacing = MinRingSpacing(terrain.cellSize);
  for (const TRing& ring : placed) {
    if (!(Distance(world, ring.origin) > spacing)) return false;
  }
  return true;
}

void OrientRings(TRing_tab& rings) {
  const int n = static_cast<int>(rings.size());
  if (n < 2) {
    for (TRing& ring : rings) ring.rotation = {};
    return;
  }
  auto r = [&](int i) { return rings[static_cast<std::size_t>(i)].origin; };
  rings[0].rotation = {ElevationYZ(r(0), r(1)) + 90.0, HeadingXZ(r(0), r(1)) + 90.0, 0.0};
  for (int i = 1; i <= n - 2; ++i) {
    rings[static_cast<std::size_t>(i)].rotation = {
        TurnAngleYZ(r(i), r(i - 1), r(i + 1)) / 2.0 + ElevationYZ(r(i), r(i - 1)),
        TurnAngleXZ(r(i), r(i - 1), r(i + 1)) / 2.0 + HeadingXZ(r(i), r(i - 1)), 0.0};
  }
  rings[static_cast<std::size_t>(n - 1)].rotation = {ElevationYZ(r(n - 2), r(n - 1)) + 90.0,
                                                     HeadingXZ(r(n - 2), r(n - 1)) + 90.0, 0.0};
  for (TRing& ring : rings) {
    ring.rotation = {OrNothing(ring.rotation.x), OrNothing(ring.rotation.y), 0.0};
  }
}

void BuildRingPoints(TRing& ring) {
  ring.points.assign(16, T_point{});
  for (int k = 0; k < 16; ++k) {
    T_point p = BoxCorner(k);
    p = RotatePoint(p, {ring.rotation.x, 0.0, ring.rotation.z});
    p = RotatePoint(p, {0.0, ring.rotation.y, ring.rotation.z});
    ring.points[static_cast<std::size_t>(k)] = {p.x * ring.scale + ring.origin.x,
                                                p.y * ring.scale + ring.origin.y,
                                                p.z * ring.scale + ring.origin.z};
  }
}

TRing_tab GenerateCourse(const t_rain& terrain, int requested) {
  wnd::Randomize();
  return GenerateCourse(terrain, requested, [] { return wnd::Random(); });
}

TRing_tab GenerateCourse(const t_rain& terrain, int requested, const TRandomSource& random) {
  TRing_tab rings;
  const int count = GeneratedRingCount(terrain, requested);
  for (int n = 0; n < count; ++n) {
    T_point c = RandomCandidate(terrain, random);
    int tries = 1;
    while (!IsAcceptablePlacement(c, rings, terrain) && tries < kMaxPlacementTries) {
      c = RandomCandidate(terrain, random);
      ++tries;
    }
    if (!IsAcceptablePlacement(c, rings, terrain)) break;
    TRing ring;
    ring.scale = GeneratedRingScale(terrain.cellSize);
    ring.origin = GridToWorld(c, terrain);
    rings.push_back(ring);
  }
  OrientRings(rings);
  for (TRing& ring : rings) BuildRingPoints(ring);
  return rings;
}
