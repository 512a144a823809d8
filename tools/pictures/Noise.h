// Deterministic randomness for the pictures: a seeded generator for placing things and
// periodic value noise for textures that tile without seams.
#pragma once

#include <cstdint>

#include "tools/Random.h"

// Value noise on a lattice that repeats every `period` cells in x and y, with smooth
// (quintic) interpolation: x and y in lattice cells, result in [0, 1].
double PeriodicNoise(double x, double y, int period, std::uint32_t seed);
// The same with separate periods across and down, for grain that runs one way.
double PeriodicNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);

// Fractal sum of PeriodicNoise over a picture that tiles: u and v in [0, 1) of the tile,
// the first octave has `cells` lattice cells across, each next one twice as many with
// `gain` times the weight. Result in [0, 1].
double TileFbm(double u, double v, int cells, int octaves, double gain, std::uint32_t seed);

// One-dimensional fractal noise for skylines, x in any units of `cellWidth`; result in [0, 1].
double LineFbm(double x, double cellWidth, int octaves, std::uint32_t seed);
