#include "tools/pictures/Noise.h"

#include <cmath>

std::uint64_t TRandom::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double TRandom::Uniform(double low, double high) {
  return low + (high - low) * static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

int TRandom::Below(int count) { return count <= 0 ? 0 : static_cast<int>(Next() % static_cast<unsigned>(count)); }

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

double Lattice(int x, int y, int period, std::uint32_t seed) {
  x = ((x % period) + period) % period;
  y = ((y % period) + period) % period;
  return (Hash(x, y, seed) & 0xFFFFFF) / 16777215.0;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double PeriodicNoise(double x, double y, int period, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = Fade(x - fx), ty = Fade(y - fy);
  const double a = Lattice(ix, iy, period, seed), b = Lattice(ix + 1, iy, period, seed);
  const double c = Lattice(ix, iy + 1, period, seed), d = Lattice(ix + 1, iy + 1, period, seed);
  const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
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
