#include "modes/RaceScene.h"

#include "renderer/ULoaderObj.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/Utrack.h"

TRaceSceneSpec SceneOfTrack(const TTrackData& data) {
  TRaceSceneSpec spec;
  spec.heightmapPath = data.heightmapPath;
  spec.terrain = data.terrain;
  spec.rings = data.rings;
  return spec;
}

TRaceSceneSpec SceneOfHeightmap(const std::string& heightmapPath, TRandomSource random) {
  TRaceSceneSpec spec;
  spec.heightmapPath = heightmapPath;
  spec.random = std::move(random);
  return spec;
}

TRaceScene::TRaceScene() = default;
TRaceScene::~TRaceScene() = default;
TRaceScene::TRaceScene(TRaceScene&&) noexcept = default;
TRaceScene& TRaceScene::operator=(TRaceScene&&) noexcept = default;

TRaceSetup TRaceScene::Setup(TRaceKind kind, int initialTime, int baseScore) const {
  TRaceSetup setup;
  setup.kind = kind;
  setup.terrain = map->Terrain();
  setup.rings = track->Rings();
  setup.initialTime = initialTime;
  setup.baseScore = baseScore;
  return setup;
}

namespace {

std::unique_ptr<TMap> BuildTerrain(const TRaceSceneSpec& spec) {
  if (!spec.terrain) return std::make_unique<TMap>(spec.heightmapPath);
  const t_rain& t = *spec.terrain;
  return std::make_unique<TMap>(spec.heightmapPath, t.accuracy, t.cellSize, t.maxHeight,
                                t.groundTexturePath, t.terrainTexturePath, t.skyTexturePath,
                                t.material);
}

// The generated course is placed on the terrain as loaded, and clears its samples.
std::unique_ptr<Ttrack> BuildCourse(const TRaceSceneSpec& spec, const TMap& map,
                                    const TObj& craft) {
  TRing_tab rings = spec.rings ? *spec.rings
                               : GenerateCourse(map.Terrain(), kRequestedRings, spec.random);
  return std::make_unique<Ttrack>(std::move(rings), map.Terrain(), craft.BoundingBox());
}

}  // namespace

TRaceScene BuildRaceScene(const TRaceSceneSpec& spec) {
  TRaceScene scene;
  scene.craft = std::make_unique<TObj>(spec.craftMeshes.at(0));
  if (spec.craftMeshes.size() > 1) scene.secondCraft = std::make_unique<TObj>(spec.craftMeshes[1]);
  scene.map = BuildTerrain(spec);
  // A race draws far blocks in coarser steps: the same heights, a third of the fill.
  scene.map->UseCoarserFarBlocks();
  scene.track = BuildCourse(spec, *scene.map, *scene.craft);
  scene.hud = std::make_unique<TInterface>(spec.baseScore, spec.hudWidth, spec.hudHeight);
  if (spec.hudCount > 1) {
    scene.secondHud = std::make_unique<TInterface>(spec.baseScore, spec.hudWidth, spec.hudHeight);
  }
  return scene;
}
