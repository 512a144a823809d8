#include "world/Umap.h"

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
  return lists;
}

void TMap::Draw() const { DrawChunks(true); }

void TMap::DrawEverything() const { DrawChunks(false); }

// The blocks keep their order whatever the view: where two surfaces fall on the same
// depth value, the first drawn stays, so a block skipped is the only difference a culled
// frame can have.
void TMap::DrawChunks(bool cull) const {
  const TFrustum frustum = FrustumOf(CurrentProjection(), CurrentModelview());
  drawn_.clear();
  for (const TChunkList& chunk : chunks_) {
    if (cull && BoxOutside(frustum, chunk.box)) continue;
    drawn_.push_back(chunk.list);
  }
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
