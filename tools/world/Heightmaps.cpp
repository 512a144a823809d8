#include "tools/world/Heightmaps.h"

#include <algorithm>
#include <cmath>

#include "tools/world/Noise.h"
#include "tools/writers/ImageWriters.h"

double ValleyClearance(const TTrackDesign& design) { return 24.0 * 0.15 * design.cellSize + 20.0; }
double ValleyFloor(const TTrackDesign& design) { return 24.0 * 0.15 * design.cellSize + 130.0; }
double ValleyWalls(const TTrackDesign& design) { return ValleyFloor(design) + 400.0; }

namespace {

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

// Where a bitmap pixel lies in the world, through the sample grid the game builds.
struct TPixelFrame {
  double pixelSize;  // world units between neighbouring pixels
  double halfWidth;  // half the world width and depth of the sample grid
  double halfDepth;
  T_point World(int column, int row) const {
    return {column * pixelSize - halfWidth, 0.0, halfDepth - row * pixelSize};
  }
};

TPixelFrame FrameOf(const TTrackDesign& d) {
  const double cell = d.cellSize;
  return {cell / ThinningPeriod(d.accuracy), KeptSamples(d.bitmapWidth, d.accuracy) * cell / 2.0,
          KeptSamples(d.bitmapHeight, d.accuracy) * cell / 2.0};
}

// The untouched landscape at a world point, before it is scaled to the map's range: broad
// hills, with ridged chains growing where the hills are high.
double RawHeight(const TTerrainRecipe& r, T_point p) {
  const double nx = p.x / (r.featureSize * r.stretchX);
  const double nz = p.z / r.featureSize;
  // Warping the coordinates by a second noise bends the hills into less regular shapes.
  const double wx = nx + 0.3 * FractalNoise(nx * 0.5 + 5.2, nz * 0.5 + 1.3, r.seed + 7u, 3, 0.5);
  const double wz = nz + 0.3 * FractalNoise(nx * 0.5 + 8.3, nz * 0.5 + 2.8, r.seed + 9u, 3, 0.5);
  const double broad = 0.5 + 0.5 * FractalNoise(wx * 0.6, wz * 0.6, r.seed, 7, 0.52);
  const double chains = RidgedNoise(wx * 0.8, wz * 0.8, r.seed + 17u, 6, 0.55);
  return broad + (chains * (0.3 + 0.7 * broad) - broad) * r.ridges;
}

// Mountains raised toward the border frame the arena.
double RimLift(const TTerrainRecipe& r, const TPixelFrame& frame, T_point p) {
  const double rim = std::max(std::fabs(p.x) / frame.halfWidth, std::fabs(p.z) / frame.halfDepth);
  return r.rimRise * SmoothStep(0.65, 1.0, rim);
}

// Stretches the raw heights over 0..1, lays the plains flat, then shapes peaks and mesas.
double Shape(const TTerrainRecipe& r, double unit) {
  double h = std::max(0.0, (unit - r.plains) / (1.0 - r.plains));
  h = std::pow(h, r.peakPower);
  if (r.terraces > 0 && h > 0.0) {
    const double t = h * r.terraces;
    const double step = std::floor(t);
    h = (step + SmoothStep(0.75, 1.0, t - step)) / r.terraces;
  }
  return std::clamp(h, 0.0, 1.0);
}

// Lowers `limit` (heights as fractions of the maximum) around every point of the flight
// line: a floor well under the line, walls rising to the open terrain.
void CarveValley(const TTrackDesign& d, const TPixelFrame& frame, std::vector<double>& limit) {
  const int w = d.bitmapWidth;
  const int h = d.bitmapHeight;
  if (d.plan.empty()) return;  // a picture only: no course to fly
  const double floorRadius = ValleyFloor(d);
  const double wallRadius = ValleyWalls(d);
  const int reach = static_cast<int>(std::ceil(wallRadius / frame.pixelSize));
  for (const TPathPoint& point : FlightLine(d.plan, frame.pixelSize * 2.0)) {
    const double floor = (point.position.y - ValleyClearance(d)) / d.maxHeight;
    const int c0 = static_cast<int>(std::lround((point.position.x + frame.halfWidth) / frame.pixelSize));
    const int r0 = static_cast<int>(std::lround((frame.halfDepth - point.position.z) / frame.pixelSize));
    for (int row = std::max(0, r0 - reach); row <= std::min(h - 1, r0 + reach); ++row) {
      for (int column = std::max(0, c0 - reach); column <= std::min(w - 1, c0 + reach); ++column) {
        const T_point p = frame.World(column, row);
        const double distance = std::hypot(p.x - point.position.x, p.z - point.position.z);
        // The floor undulates below its limit so that it does not read as a flat cut.
        const double bed = floor * (0.55 + 0.45 * (0.5 + 0.5 * FractalNoise(p.x / 350.0, p.z / 350.0, d.terrain.seed + 29u, 3, 0.5)));
        const double wall = bed + (1.2 - bed) * SmoothStep(floorRadius, wallRadius, distance);
        double& cell = limit[static_cast<size_t>(row) * w + column];
        cell = std::min(cell, wall);
      }
    }
  }
}

// The heights at the two ends of the range kept: a few extreme pixels do not squash it.
std::pair<double, double> RangeOf(std::vector<double> values) {
  const size_t low = values.size() / 100;
  const size_t high = values.size() - 1 - values.size() / 200;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(low), values.end());
  const double lo = values[low];
  std::nth_element(values.begin(), values.begin() + static_cast<long>(high), values.end());
  return {lo, std::max(lo + 1e-9, values[high])};
}

}  // namespace

THeightmap BuildHeightmap(const TTrackDesign& d) {
  const TPixelFrame frame = FrameOf(d);
  const int w = d.bitmapWidth;
  const int h = d.bitmapHeight;
  std::vector<double> raw(static_cast<size_t>(w) * h);
  for (int row = 0; row < h; ++row)
    for (int column = 0; column < w; ++column)
      raw[static_cast<size_t>(row) * w + column] = RawHeight(d.terrain, frame.World(column, row));
  const auto [lo, hi] = RangeOf(raw);
  std::vector<double> limit(raw.size(), 1.0);
  CarveValley(d, frame, limit);
  THeightmap map{w, h, std::vector<std::uint8_t>(raw.size())};
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      const size_t i = static_cast<size_t>(row) * w + column;
      const double unit = 0.9 * (raw[i] - lo) / (hi - lo) + RimLift(d.terrain, frame, frame.World(column, row));
      const double shaped = std::min(Shape(d.terrain, unit), limit[i]);
      map.values[i] = static_cast<std::uint8_t>(std::lround(std::clamp(shaped, 0.0, 1.0) * 255.0));
    }
  }
  return map;
}

TBytes HeightmapBmp(const THeightmap& map) {
  TImage image{map.width, map.height, 3, {}};
  image.pixels.reserve(map.values.size() * 3);
  for (std::uint8_t value : map.values) image.pixels.insert(image.pixels.end(), {value, value, value});
  return MakeBmp24(image);
}
