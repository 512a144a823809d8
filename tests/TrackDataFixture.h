// A track's values for tests: a heightmap with the shipped textures and music, cells of
// 10 units, and no rings yet.
#pragma once

#include <string>

#include "modes/TrackFile.h"

inline TTrackData TrackOverHeightmap(const std::string& heightmap, double accuracy, double maxHeight,
                                     int initialTime, const std::string& music = "sounds/Background01.mp3") {
  TTrackData data;
  data.heightmapPath = heightmap;
  data.initialTime = initialTime;
  data.musicPath = music;
  data.terrain.heightmapPath = heightmap;
  data.terrain.accuracy = accuracy;
  data.terrain.cellSize = 10.0;
  data.terrain.maxHeight = maxHeight;
  data.terrain.groundTexturePath = "textures/herbe.jpg";
  data.terrain.terrainTexturePath = "textures/papier sepia.jpg";
  data.terrain.skyTexturePath = "textures/texture_sky.jpg";
  return data;
}
