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

// The film looks across the whole terrain at once, where the race sees a narrow slice,
// so a grid of more than `kFilmGridSide` samples a side is drawn coarser: one sample of
// every n bitmap rows and columns, n the period returned. The race's own period where
// it need not thin, or where its accuracy keeps uneven runs (the loader keeps an even
// grid only for one sample in 1, 2, 5, 10, 25 or 50).
inline constexpr int kFilmGridSide = 128;
int FilmSamplePeriod(int bitmapSide, double accuracy);

// Never throws: a missing or broken track file gives the season's heightmap with the
// terrain's default values and the season's music by its usual name.
// The terrain's grid is thinned for the film (above), with cells as much larger, so
// the terrain keeps its size and heights.
TFilmTrack LoadFilmTrack(const TFilmPlan& plan);
