#include "cutscene/FilmTrack.h"

#include <algorithm>
#include <exception>

#include "assets/Lnb.h"
#include "frontend/TrackList.h"
#include "modes/TrackFile.h"
#include "world/Heightmap.h"

namespace {

void ThinForFilm(t_rain& terrain) {
  int width = 0;
  int height = 0;
  if (!ReadBitmapSize(terrain.heightmapPath, width, height)) return;
  int keep = 0;
  int period = 0;
  AccuracyToFraction(terrain.accuracy, keep, period);
  const int filmPeriod = FilmSamplePeriod(std::max(width, height), terrain.accuracy);
  if (filmPeriod == period) return;
  terrain.accuracy = 1.0 / filmPeriod;
  terrain.cellSize *= static_cast<double>(filmPeriod) / period;
}

TFilmTrack DefaultTrack(const TFilmPlan& plan, const std::string& problem) {
  TFilmTrack track;
  track.terrain = TerrainValues(HeightmapPathOf(plan), kDefaultAccuracy, kDefaultCellSize,
                                DefaultMaxHeight(kDefaultCellSize, kDefaultAccuracy),
                                kDefaultGroundTexture, kDefaultTerrainTexture, kDefaultSkyTexture,
                                kDefaultMaterial);
  track.musicPath = MusicPathOf(plan);
  track.problem = problem;
  ThinForFilm(track.terrain);
  return track;
}

}  // namespace

// The loader keeps an even grid only for these accuracies (one sample of every n); others
// keep uneven runs, and a film never makes those worse.
int FilmSamplePeriod(int bitmapSide, double accuracy) {
  int keep = 0;
  int period = 0;
  AccuracyToFraction(accuracy, keep, period);
  if (bitmapSide <= 0 || keep != 1 || !(accuracy > 0.0 && accuracy <= 1.0)) return period;
  for (int coarser : {1, 2, 5, 10, 25, 50}) {
    if (coarser >= period && bitmapSide / coarser <= kFilmGridSide) return coarser;
  }
  return period;
}

TFilmTrack LoadFilmTrack(const TFilmPlan& plan) {
  TTrackData data;
  try {
    data = ReadTrackFile(TrackPathOf(plan));
  } catch (const std::exception& error) {
    return DefaultTrack(plan, error.what());
  }
  TFilmTrack track;
  track.terrain = data.terrain;
  if (track.terrain.heightmapPath.empty()) track.terrain.heightmapPath = data.heightmapPath;
  // A track without music still has its season's piece to play.
  track.musicPath = data.musicPath.empty() ? MusicPathOf(plan) : data.musicPath;
  track.fromTrackFile = true;
  ThinForFilm(track.terrain);
  return track;
}
