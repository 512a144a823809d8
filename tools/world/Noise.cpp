#include "tools/world/Noise.h"

#include <cmath>

std::uint32_t HashLattice(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B1u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

namespace {

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// One of 16 evenly spread unit gradients, dotted with the offset from the lattice point.
double GradientDot(int ix, int iy, double dx, double dy, std::uint32_t seed) {
  static const double kCos[16] = {1.0,  0.9238795325, 0.7071067812,  0.3826834324,
                                  0.0,  -0.3826834324, -0.7071067812, -0.9238795325,
                                  -1.0, -0.9238795325, -0.7071067812, -0.3826834324,
                                  0.0,  0.3826834324,  0.7071067812,  0.9238795325};
  const std::uint32_t k = HashLattice(ix, iy, seed) & 15u;
  return kCos[k] * dx + kCos[(k + 12u) & 15u] * dy;
}

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

}  // namespace

double GradientNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const double dx = x - fx;
  const double dy = y - fy;
  const double n00 = GradientDot(ix, iy, dx, dy, seed);
  const double n10 = GradientDot(ix + 1, iy, dx - 1.0, dy, seed);
  const double n01 = GradientDot(ix, iy + 1, dx, dy - 1.0, seed);
  const double n11 = GradientDot(ix + 1, iy + 1, dx - 1.0, dy - 1.0, seed);
  const double u = Fade(dx);
  // Gradient noise peaks near 0.7; scale it to fill about [-1, 1].
  return 1.4 * Lerp(Lerp(n00, n10, u), Lerp(n01, n11, u), Fade(dy));
}

double FractalNoise(double x, double y, std::uint32_t seed, int octaves, double gain) {
  double sum = 0.0;
  double amplitude = 1.0;
  double total = 0.0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * GradientNoise(x, y, seed + 101u * static_cast<std::uint32_t>(octave));
    total += amplitude;
    amplitude *= gain;
    // A slight rotation between octaves hides the lattice's grain.
    const double rx = 1.6 * x + 1.2 * y;
    y = -1.2 * x + 1.6 * y;
    x = rx;
  }
  return sum / total;
}

double RidgedNoise(double x, double y, std::uint32_t seed, int octaves, double gain) {
  double sum = 0.0;
  double amplitude = 1.0;
  double total = 0.0;
  double weight = 1.0;
  for (int octave = 0; octave < octaves; ++octave) {
    double ridge = 1.0 - std::fabs(GradientNoise(x, y, seed + 131u * static_cast<std::uint32_t>(octave)));
    ridge *= ridge;
    // Finer ridges grow mostly on the crests of coarser ones.
    sum += amplitude * ridge * weight;
    total += amplitude;
    weight = std::fmin(1.0, ridge * 1.5);
    amplitude *= gain;
    const double rx = 1.6 * x + 1.2 * y;
    y = -1.2 * x + 1.6 * y;
    x = rx;
  }
  return sum / total;
}

