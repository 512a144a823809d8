#include "cutscene/FilmTrack.h"

#include <exception>

#include "modes/TrackFile.h"
#include "world/Heightmap.h"

namespace {

TFilmTrack DefaultTrack(const TFilmPlan& plan, const std::string& problem) {
  TFilmTrack track;
  track.terrain = TerrainValues(HeightmapPathOf(plan), kDefaultAccuracy, kDefaultCellSize,
                                DefaultMaxHeight(kDefaultCellSize, kDefaultAccuracy),
                                kDefaultGroundTexture, kDefaultTerrainTexture, kDefaultSkyTexture,
                                kDefaultMaterial);
  track.musicPath = MusicPathOf(plan);
  track.problem = problem;
  return track;
}

}  // namespace

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
  return track;
}
