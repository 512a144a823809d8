// The heightmap pictures: fractal hills and ridged chains shaped per track, flat plains
// at height 0 where the ground plane shows, and a valley carved under each course so
// that its flight line stays in open air. Grey pixels; the game reads the blue byte.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/world/TrackDesigns.h"
#include "tools/writers/ByteWriter.h"

// Heights 0..255, row 0 being the first row stored in the bitmap (the +z edge of the
// terrain), column 0 the -x edge.
struct THeightmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;  // row-major, width x height
  std::uint8_t At(int column, int row) const { return values[static_cast<size_t>(row) * width + column]; }
};

// Height kept between a course's flight line and the valley floor under it: room for the
// ring (its outer half-size is 24 ring units, 3.6 cells) and 20 units more.
double ValleyClearance(const TTrackDesign& design);
// Half-width of the valley floor around the flight line, and where its walls end: the
// ring's width and room to swing wide in the turns.
double ValleyFloor(const TTrackDesign& design);
double ValleyWalls(const TTrackDesign& design);

THeightmap BuildHeightmap(const TTrackDesign& design);

// A 24-bit BMP of grey pixels.
TBytes HeightmapBmp(const THeightmap& map);
