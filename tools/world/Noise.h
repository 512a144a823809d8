// Deterministic noise for the terrain: no global state and no library random numbers,
// so the same seed gives the same heights on every run and every machine.
#pragma once

#include <cstdint>

#include "tools/Random.h"

// A hash of two lattice coordinates and a seed, spread over 32 bits.
std::uint32_t HashLattice(int x, int y, std::uint32_t seed);

// Gradient noise in about [-1, 1], smooth (quintic fade), lattice spacing 1.
double GradientNoise(double x, double y, std::uint32_t seed);

// Fractal sums of `octaves` layers, each of twice the frequency and `gain` times the
// amplitude of the one before; results are scaled back to about [-1, 1] and [0, 1].
double FractalNoise(double x, double y, std::uint32_t seed, int octaves, double gain);
// Ridged layers: sharp crests where the noise crosses zero, as mountain chains have.
double RidgedNoise(double x, double y, std::uint32_t seed, int octaves, double gain);

