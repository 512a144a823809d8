#include "fuzz/SeedMaker.h"
#include "modes/TrackFile.h"

namespace {

TTrackData SeedTrack(int rings) {
  TTrackData track;
  track.heightmapPath = "track_data/ridezi.bmp";
  track.initialTime = 40;
  track.musicPath = "sounds/Background01.mp3";
  track.terrain.heightmapPath = track.heightmapPath;
  track.terrain.groundTexturePath = "textures/herbe.jpg";
  track.terrain.terrainTexturePath = "textures/papier sepia.jpg";
  track.terrain.skyTexturePath = "textures/texture_sky.jpg";
  for (int k = 0; k < rings; ++k) {
    TRing ring;
    ring.origin = {10.0 * k, 120.5, -300.0 * k};
    ring.rotation = {-12.25, 90.0, 0.0};
    for (int p = 0; p < 16; ++p) ring.points.push_back({p * 1.5, -p * 0.25, k + p * 1e-3});
    track.rings.push_back(ring);
  }
  return track;
}

std::string WithLf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// No rings, two rings, the same with LF lines, and a file with a comma in a real.
TSeedMaker maker("track", [](const std::string& dir) {
  WriteSeed(dir, "empty.track", FormatTrackFile("empty", SeedTrack(0)));
  std::string two = FormatTrackFile("two", SeedTrack(2));
  WriteSeed(dir, "two.track", two);
  WriteSeed(dir, "two-lf.track", WithLf(two));
  std::string comma = two;
  comma.replace(comma.find(" 1.20500000000000E+0002"), 23, "120,5");
  WriteSeed(dir, "comma.track", comma);
});

}  // namespace
