// What a race draws, built from one description in the race's order: the crafts' meshes,
// the terrain, the ring course and the HUDs. The game's modes, the benchmarks and the GL
// tests build their races here, so they cannot drift apart; the race core's setup comes
// from the same scene.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/Utype.h"
#include "modes/RaceCore.h"
#include "modes/TrackFile.h"
#include "world/CourseGen.h"
#include "world/ScreenFrame.h"

class TObj;
class TMap;
class Ttrack;
class TInterface;

inline const char* const kFirstCraftMesh = "mesh/reduce-dash2.obj";
inline const char* const kSecondCraftMesh = "mesh/brisel reduce-dash.obj";

struct TRaceSceneRecipe {
  std::vector<std::string> craftMeshes{kFirstCraftMesh};  // one per craft drawn
  std::string heightmapPath;
  // A track file's terrain values; none: the heightmap alone, every other value its default.
  std::optional<t_rain> terrain;
  // A track file's rings; none: a course generated over the terrain from `random`.
  std::optional<TRing_tab> rings;
  TRandomSource random;
  int hudCount = 1;  // the split screen has one per half
  int baseScore = 0;
  int hudWidth = kFrameUnitsWidth;
  int hudHeight = kFrameUnitsHeight;
};

// The scene of a track file: its heightmap, terrain values and rings.
TRaceSceneRecipe SceneOfTrack(const TTrackData& data);
// A heightmap alone and a course generated from `random`.
TRaceSceneRecipe SceneOfHeightmap(const std::string& heightmapPath, TRandomSource random);

struct TRaceScene {
  std::unique_ptr<TObj> craft;
  std::unique_ptr<TObj> secondCraft;
  std::unique_ptr<TMap> map;
  std::unique_ptr<Ttrack> track;
  std::unique_ptr<TInterface> hud;
  std::unique_ptr<TInterface> secondHud;

  TRaceScene();
  ~TRaceScene();
  TRaceScene(TRaceScene&&) noexcept;
  TRaceScene& operator=(TRaceScene&&) noexcept;

  // The race core's setup for this terrain and course.
  TRaceSetup Setup(TRaceKind kind, int initialTime, int baseScore = 0) const;
};

// The race core's setup for a built terrain and course: the kind, the terrain, the rings,
// the time allowed and the score carried in (the starts keep their defaults).
TRaceSetup RaceSetupOf(TRaceKind kind, const TMap& map, const Ttrack& track, int initialTime, int baseScore = 0);

// Throws std::runtime_error, naming the file, for a mesh, heightmap or picture file the
// scene needs and cannot read; what was built before is given back.
TRaceScene BuildRaceScene(const TRaceSceneRecipe& recipe);
