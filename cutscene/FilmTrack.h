// The ground and the music a film uses: those of its season's race, read from the
// season's track file, so the film shows the very terrain the player is about to fly.
#pragma once

#include <string>

#include "assets/Utype.h"
#include "cutscene/FilmPlan.h"

struct TFilmTrack {
  // Heightmap path, accuracy, cell size, maximum height, texture paths and material;
  // the samples and textures are filled by the terrain when it is built.
  t_rain terrain;
  std::string musicPath;
  bool fromTrackFile = false;
  std::string problem;  // why the track file was not used, for the console
};

// Never throws: a missing or broken track file gives the season's heightmap with the
// terrain's default values and the season's music by its usual name.
TFilmTrack LoadFilmTrack(const TFilmPlan& plan);
