// The ground of a race: heights from a bitmap kept in the terrain record, and one display
// list with the textured height field, the ground plane and the sky box.
#pragma once

#include <cstdint>
#include <string>

#include "assets/Utype.h"

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
  ~TMap() = default;
  TMap(const TMap&) = delete;
  TMap& operator=(const TMap&) = delete;

  // Calls the list; the current modelview places the terrain.
  void Draw() const;

  const t_rain& Terrain() const { return terrain_; }
  std::uint32_t List() const { return list_; }
  double Accuracy() const { return accuracy_; }
  double CellSize() const { return cellSize_; }
  double MaxHeight() const { return maxHeight_; }
  const T_material& Material() const { return material_; }

 private:
  double accuracy_;
  double cellSize_;
  double maxHeight_;
  std::string groundPath_;
  std::string terrainPath_;
  std::string skyPath_;
  T_material material_;
  std::uint32_t list_ = 0;
  t_rain terrain_;
};

// Emits the height field (one texture bind, one primitive for all triangles), then the
// ground and the sky, in the terrain's local frame, lighting off while drawing. Used
// inside the terrain's list; also by the benchmarks.
void EmitTerrainMesh(const t_rain& terrain);
void EmitGroundAndSky(int rows, int cols, std::uint32_t groundTexture, std::uint32_t skyTexture);
