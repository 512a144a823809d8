// The list of selectable tracks, read from the heightmaps beside the program.
#pragma once

#include <string>
#include <vector>

#include "assets/Utype.h"

// Width and height from a BMP's headers (32-bit little-endian at offsets 18 and 22);
// false when the file cannot be read that far or the size is not positive.
bool ReadBitmapSize(const std::string& path, int& width, int& height);

// The description file beside a heightmap ("track_data/ridezi.bmp" gives
// "track_data/ridezi.track"), or empty when there is none.
std::string TrackFileFor(const std::string& heightmapName);

struct TTrackListing {
  T_Tab_TrackFile tracks;     // preview textures left 0 for the caller to load
  std::vector<bool> readable; // per entry: the heightmap could be read (worth loading)
};

// One entry per heightmap, in order. A heightmap that cannot be read is reported in a
// message box naming it and left out; the last one, the random track, always stays last,
// without a description file, and at 1 x 1 when its own picture cannot be read.
TTrackListing BuildTrackListing(const std::vector<std::string>& heightmaps);
