// The ground of a race: heights from a bitmap kept in the terrain record, the height
// field cut into blocks with their boxes, and the renderer's lists of the blocks, the
// ground plane and the sky box. The terrain chooses which blocks a view needs; the
// renderer draws them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "assets/Utype.h"
#include "renderer/TerrainDraw.h"
#include "world/TerrainMesh.h"

class TMap {
 public:
  // Each shorter form fills the next argument with its default: accuracy 0.5, cell size
  // 10, maximum height 20 x cell x accuracy + 10, the default ground, terrain and sky
  // textures, the default material. A missing or short heightmap throws
  // std::runtime_error naming the file.
  explicit TMap(const std::string& heightmapPath);
  TMap(const std::string& heightmapPath, double accuracy);
  TMap(const std::string& heightmapPath, double accuracy, double cellSize);
  TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight);
  TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
       const std::string& groundPath, const std::string& terrainPath);
  TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
       const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath);
  TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
       const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath,
       const T_material& material);
  // The renderer's handles give the lists and the three textures back.
  ~TMap() = default;
  TMap(const TMap&) = delete;
  TMap& operator=(const TMap&) = delete;

  // The current modelview places the terrain. Only the blocks of the height field whose
  // boxes reach into the view of the current projection and modelview are called; the
  // picture is the same as with every block.
  void Draw() const;
  // Every block, whatever the view: the reference the culled picture is held to.
  void DrawEverything() const;
  // From now on blocks far from the eye are drawn in coarser steps of the same heights
  // (see DetailStep), with skirts against cracks: far fewer triangles, which is what a
  // software renderer pays for at a distance. Off until asked: the full-detail picture
  // stays the reference.
  void UseCoarserFarBlocks();

  const t_rain& Terrain() const { return terrain_; }
  int ChunkCount() const { return static_cast<int>(chunks_.size()); }
  // Blocks called by the last Draw, and how many of them in a coarser step.
  int DrawnChunks() const { return drawnChunks_; }
  int DrawnCoarseChunks() const { return drawnCoarse_; }
  // The lists the last Draw called, in the order it called them.
  const std::vector<std::uint32_t>& DrawnLists() const { return drawn_; }
  // Every list name the terrain holds: the ground and sky first, then one per block,
  // then the coarser blocks' once asked for.
  std::vector<std::uint32_t> Lists() const;
  double Accuracy() const { return accuracy_; }
  double CellSize() const { return cellSize_; }
  double MaxHeight() const { return maxHeight_; }
  const T_material& Material() const { return material_; }

 private:
  struct TChunkList {
    std::uint32_t list;
    TBox box;                                // in the frame Draw receives
    std::array<std::uint32_t, 2> coarse{};  // at steps 2 and 4, once asked for
  };
  std::uint32_t ListFor(const TChunkList& chunk, T_point eye) const;
  void CompileLists();
  void DrawChunks(bool cull) const;

  double accuracy_;
  double cellSize_;
  double maxHeight_;
  std::string groundPath_;
  std::string terrainPath_;
  std::string skyPath_;
  T_material material_;
  t_rain terrain_;
  TTerrainDraw draw_;  // the textures named in terrain_ and every list
  std::vector<TChunkList> chunks_;
  mutable std::vector<std::pair<double, std::uint32_t>> byDistance_;  // kept for their storage:
  mutable std::vector<std::uint32_t> drawn_;                         // the lists of the last Draw
  mutable int drawnChunks_ = 0;
  mutable int drawnCoarse_ = 0;
  bool coarse_ = false;
};

// The ground quad and sky box of a grid of rows x cols samples, in the terrain's frame.
TGroundAndSky GroundAndSkyQuads(int rows, int cols);
// Asks the renderer for the height field (one texture bind, one primitive for all
// triangles), then the ground and the sky, in the terrain's local frame, lighting off
// while drawing: the whole terrain in one list, as it was before it was cut into blocks.
// For comparisons, inside a list the caller compiles.
void EmitTerrainMesh(const t_rain& terrain);
void EmitGroundAndSky(int rows, int cols, std::uint32_t groundTexture, std::uint32_t skyTexture);
