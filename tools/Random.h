// Deterministic random numbers for the content generator: SplitMix64, so the same seed
// gives the same sequence on every machine and every run, and the generated content is
// the same bytes every time.
#pragma once

#include <cstdint>

class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1), from the top 53 bits.
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [low, high).
  double Range(double low, double high) { return low + (high - low) * Unit(); }
  double Uniform(double low, double high) { return Range(low, high); }
  // 0 .. count - 1 (0 when count is not positive).
  int Below(int count) {
    return count <= 0 ? 0 : static_cast<int>(Next() % static_cast<unsigned>(count));
  }

 private:
  std::uint64_t state_;
};
