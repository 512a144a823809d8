#include "tools/pictures/Noise.h"

#include <cmath>

namespace {

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x27D4EB2Du ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                    static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// The gradient at a lattice point: one of 16 directions picked by the hash.
void Gradient(int x, int y, int periodX, int periodY, std::uint32_t seed, double& gx, double& gy) {
  x = ((x % periodX) + periodX) % periodX;
  y = ((y % periodY) + periodY) % periodY;
  const double angle = (Hash(x, y, seed) & 15) * (2 * M_PI / 16) + 0.3;
  gx = std::cos(angle);
  gy = std::sin(angle);
}

double Corner(int ix, int iy, double dx, double dy, int periodX, int periodY, std::uint32_t seed) {
  double gx, gy;
  Gradient(ix, iy, periodX, periodY, seed, gx, gy);
  return gx * dx + gy * dy;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double PeriodicNoise(double x, double y, int period, std::uint32_t seed) {
  return PeriodicNoise(x, y, period, period, seed);
}

// Gradient noise rather than value noise: no blocky lattice shows through.
double PeriodicNoise(double x, double y, int periodX, int periodY, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double dx = x - fx, dy = y - fy;
  const double tx = Fade(dx), ty = Fade(dy);
  const double a = Corner(ix, iy, dx, dy, periodX, periodY, seed);
  const double b = Corner(ix + 1, iy, dx - 1, dy, periodX, periodY, seed);
  const double c = Corner(ix, iy + 1, dx, dy - 1, periodX, periodY, seed);
  const double d = Corner(ix + 1, iy + 1, dx - 1, dy - 1, periodX, periodY, seed);
  const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  const double n = 0.5 + 0.75 * (top + (bottom - top) * ty);
  return n < 0 ? 0 : (n > 1 ? 1 : n);
}

double TileFbm(double u, double v, int cells, int octaves, double gain, std::uint32_t seed) {
  double sum = 0, weight = 1, total = 0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * PeriodicNoise(u * cells, v * cells, cells, seed + 7919u * octave);
    total += weight;
    weight *= gain;
    cells *= 2;
  }
  return sum / total;
}

double LineFbm(double x, double cellWidth, int octaves, std::uint32_t seed) {
  double sum = 0, weight = 1, total = 0, scale = 1.0 / cellWidth;
  for (int octave = 0; octave < octaves; ++octave) {
    // A period far longer than any picture: the line does not repeat visibly.
    sum += weight * PeriodicNoise(x * scale, 0.5 * octave, 1 << 20, seed + 104729u * octave);
    total += weight;
    weight *= 0.5;
    scale *= 2;
  }
  return sum / total;
}
