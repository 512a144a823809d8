#include "modes/RaceScene.h"

#include "renderer/ULoaderObj.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/Utrack.h"

TRaceSceneRecipe SceneOfTrack(const TTrackData& data) {
  TRaceSceneRecipe recipe;
  recipe.heightmapPath = data.heightmapPath;
  recipe.terrain = data.terrain;
  recipe.rings = data.rings;
  return recipe;
}

TRaceSceneRecipe SceneOfHeightmap(const std::string& heightmapPath, TRandomSource random) {
  TRaceSceneRecipe recipe;
  recipe.heightmapPath = heightmapPath;
  recipe.random = std::move(random);
  return recipe;
}

TRaceScene::TRaceScene() = default;
TRaceScene::~TRaceScene() = default;
TRaceScene::TRaceScene(TRaceScene&&) noexcept = default;
TRaceScene& TRaceScene::operator=(TRaceScene&&) noexcept = default;

TRaceSetup TRaceScene::Setup(TRaceKind kind, int initialTime, int baseScore) const {
  return RaceSetupOf(kind, *map, *track, initialTime, baseScore);
}

TRaceSetup RaceSetupOf(TRaceKind kind, const TMap& map, const Ttrack& track, int initialTime, int baseScore) {
  TRaceSetup setup;
  setup.kind = kind;
  setup.terrain = map.Terrain();
  setup.rings = track.Rings();
  setup.initialTime = initialTime;
  setup.baseScore = baseScore;
  return setup;
}

namespace {

std::unique_ptr<TMap> BuildTerrain(const TRaceSceneRecipe& recipe) {
  if (!recipe.terrain) return std::make_unique<TMap>(recipe.heightmapPath);
  const t_rain& t = *recipe.terrain;
  return std::make_unique<TMap>(recipe.heightmapPath, t.accuracy, t.cellSize, t.maxHeight,
                                t.groundTexturePath, t.terrainTexturePath, t.skyTexturePath,
                                t.material);
}

// The generated course is placed on the terrain as loaded, and clears its samples.
std::unique_ptr<Ttrack> BuildCourse(const TRaceSceneRecipe& recipe, const TMap& map,
                                    const TObj& craft) {
  TRing_tab rings = recipe.rings ? *recipe.rings
                               : GenerateCourse(map.Terrain(), kRequestedRings, recipe.random);
  return std::make_unique<Ttrack>(std::move(rings), map.Terrain(), craft.BoundingBox());
}

}  // namespace

TRaceScene BuildRaceScene(const TRaceSceneRecipe& recipe) {
  TRaceScene scene;
  scene.craft = std::make_unique<TObj>(recipe.craftMeshes.at(0));
  if (recipe.craftMeshes.size() > 1) scene.secondCraft = std::make_unique<TObj>(recipe.craftMeshes[1]);
  scene.map = BuildTerrain(recipe);
  // A race draws far blocks in coarser steps: the same heights, a third of the fill.
  scene.map->UseCoarserFarBlocks();
  scene.track = BuildCourse(recipe, *scene.map, *scene.craft);
  scene.hud = std::make_unique<TInterface>(recipe.baseScore, recipe.hudWidth, recipe.hudHeight);
  if (recipe.hudCount > 1) {
    scene.secondHud = std::make_unique<TInterface>(recipe.baseScore, recipe.hudWidth, recipe.hudHeight);
  }
  return scene;
}
