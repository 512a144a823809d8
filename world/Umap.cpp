#include "world/Umap.h"

#include <algorithm>
#include <iterator>

#include "world/Heightmap.h"
#include "world/TerrainMesh.h"

TMap::TMap(const std::string& heightmapPath) : TMap(heightmapPath, kDefaultAccuracy) {}

TMap::TMap(const std::string& heightmapPath, double accuracy)
    : TMap(heightmapPath, accuracy, kDefaultCellSize) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize)
    : TMap(heightmapPath, accuracy, cellSize, DefaultMaxHeight(cellSize, accuracy)) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, kDefaultGroundTexture, kDefaultTerrainTexture) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath, kDefaultSkyTexture) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath, skyPath,
           kDefaultMaterial) {}

// An invalid accuracy loads no textures and no samples; the terrain then draws only the
// ground and the sky, and the course and the physics see a terrain without cells.
TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath,
           const T_material& material)
    : accuracy_(accuracy),
      cellSize_(cellSize),
      maxHeight_(maxHeight),
      groundPath_(groundPath),
      terrainPath_(terrainPath),
      skyPath_(skyPath),
      material_(material),
      terrain_(TerrainValues(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath,
                             skyPath, material)) {
  if (IsValidAccuracy(accuracy)) {
    draw_.LoadTextures(groundPath, terrainPath, skyPath);
    terrain_.groundTexture = draw_.GroundTexture();
    terrain_.terrainTexture = draw_.TerrainTexture();
    terrain_.skyTexture = draw_.SkyTexture();
  }
  LoadTerrainSamples(terrain_);
  CompileLists();
}

// One name range for all lists: the ground and sky, then each block of the height field.
// The range has room for every block, empty ones too, so that each block is compiled as
// soon as it is built and its triangles dropped before the next.
void TMap::CompileLists() {
  draw_.CompileGroundAndSky(GroundAndSkyQuads(MeshRows(terrain_), MeshCols(terrain_)),
                            TerrainChunkSlots(terrain_));
  const T_point offset = TerrainOffset(terrain_);
  ForEachTerrainChunk(terrain_, kChunkCells, [&](const TTerrainChunk& block) {
    chunks_.push_back({draw_.CompileBlock(block.triangles), Shifted(block.box, offset)});
  });
}

std::vector<std::uint32_t> TMap::Lists() const {
  std::vector<std::uint32_t> lists{draw_.GroundAndSkyList()};
  for (const TChunkList& chunk : chunks_) lists.push_back(chunk.list);
  for (const TChunkList& chunk : chunks_) {
    for (std::uint32_t list : chunk.coarse) {
      if (list != 0) lists.push_back(list);
    }
  }
  return lists;
}

void TMap::UseCoarserFarBlocks() {
  if (coarse_) return;
  draw_.PrepareFarTerrain();
  for (std::size_t level = 0; level < std::size(kCoarseSteps); ++level) {
    draw_.ReserveBlocks(ChunkCount());
    std::size_t index = 0;
    const T_point offset = TerrainOffset(terrain_);
    ForEachCoarseTerrainChunk(terrain_, kChunkCells, kCoarseSteps[level], [&](const TTerrainChunk& block) {
      TChunkList& chunk = chunks_[index++];
      chunk.coarse[level] = draw_.CompileBlock(block.triangles, kCoarseSteps[level]);
      chunk.box = Joined(chunk.box, Shifted(block.box, offset));  // culls whichever is drawn
    });
  }
  coarse_ = true;
}

std::uint32_t TMap::ListFor(const TChunkList& chunk, T_point eye) const {
  if (!coarse_) return chunk.list;
  const int step = DetailStep(chunk.box, eye, cellSize_);
  if (step == 1) return chunk.list;
  return chunk.coarse[step == 2 ? 0 : 1];
}

void TMap::Draw() const { DrawChunks(true); }

void TMap::DrawEverything() const { DrawChunks(false); }

// Near blocks first: a software renderer skips the texturing of a pixel that fails the
// depth test, so what is drawn first hides the most. The order is by distance from the
// eye, ties kept in the blocks' own order, the same whether culled or not: where two
// surfaces fall on the same depth value the first drawn stays, so a block skipped is the
// only difference a culled frame can have. The step of a block grows with the same
// distance, so the coarser blocks, with their own texture, come last.
void TMap::DrawChunks(bool cull) const {
  const TMatrix modelview = CurrentModelview();
  const TFrustum frustum = FrustumOf(CurrentProjection(), modelview);
  const T_point eye = EyeOf(modelview);
  byDistance_.clear();
  drawnCoarse_ = 0;
  for (const TChunkList& chunk : chunks_) {
    if (cull && BoxOutside(frustum, chunk.box)) continue;
    const std::uint32_t list = ListFor(chunk, eye);
    if (list != chunk.list) ++drawnCoarse_;
    byDistance_.push_back({BoxDistance(chunk.box, eye), list});
  }
  std::stable_sort(byDistance_.begin(), byDistance_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  drawn_.clear();
  for (const auto& [distance, list] : byDistance_) drawn_.push_back(list);
  drawnChunks_ = static_cast<int>(drawn_.size());
  draw_.Draw(TerrainOffset(terrain_), drawn_);
}

TGroundAndSky GroundAndSkyQuads(int rows, int cols) {
  const TSkyBounds bounds = SkyBounds(rows, cols);
  return {GroundQuad(bounds), SkyQuads(bounds)};
}

void EmitTerrainMesh(const t_rain& terrain) {
  EmitUnlit(BuildTerrainTriangles(terrain), terrain.terrainTexture,
            GroundAndSkyQuads(MeshRows(terrain), MeshCols(terrain)), terrain.groundTexture,
            terrain.skyTexture);
}

void EmitGroundAndSky(int rows, int cols, std::uint32_t groundTexture, std::uint32_t skyTexture) {
  EmitGroundAndSky(GroundAndSkyQuads(rows, cols), groundTexture, skyTexture);
}
