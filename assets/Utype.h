// Plain records shared by the race world, the menus and the modes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assets/SampleGrid.h"

// A point or a vector; y points up, x and z span the ground.
struct T_point {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
using T_tab_point = std::vector<T_point>;

// Height samples, t_tab_pixel (assets/SampleGrid.h): rows of bytes, row 0 being the first
// row stored in the bitmap.

// Terrain material: ambient, diffuse, specular, emission (RGBA each), shininess.
using T_material = std::array<float, 17>;

inline constexpr T_material kDefaultMaterial = {
    0.3f, 0.3f, 0.3f, 1.0f,  // ambient
    0.7f, 0.7f, 0.7f, 1.0f,  // diffuse
    0.3f, 0.3f, 0.3f, 1.0f,  // specular
    0.0f, 0.0f, 0.0f, 1.0f,  // emission
    0.5f};                   // shininess

// The terrain record. Copies share the sample grid, which never changes after loading.
struct t_rain {
  std::string heightmapPath;
  std::shared_ptr<const t_tab_pixel> samples = std::make_shared<const t_tab_pixel>();
  double cellSize = 10.0;
  double accuracy = 0.5;
  double maxHeight = 110.0;
  std::uint32_t groundTexture = 0;
  std::uint32_t terrainTexture = 0;
  std::uint32_t skyTexture = 0;
  std::string groundTexturePath;
  std::string terrainTexturePath;
  std::string skyTexturePath;
  T_material material = kDefaultMaterial;

  // H: number of sample rows; W: length of the first row (0 for an empty grid).
  int Rows() const { return static_cast<int>(samples->size()); }
  int Cols() const { return samples->empty() ? 0 : static_cast<int>(samples->Cols()); }
  bool Empty() const { return Rows() == 0 || Cols() == 0; }
  std::uint8_t Sample(int row, int col) const { return (*samples)[row][col]; }
};

// One ring of a course.
struct TRing {
  T_point origin;
  bool caught = false;
  T_tab_point points;  // 16 bounding points, world coordinates
  T_point rotation;    // degrees about x, y, z
  double scale = 1.5;
};
using TRing_tab = std::vector<TRing>;

// One selectable track.
struct T_TrackFile {
  std::string heightmapName;
  std::uint32_t previewTexture = 0;
  int width = 0;
  int height = 0;
  std::string trackFileName;  // empty when the track has no description file
};
using T_Tab_TrackFile = std::vector<T_TrackFile>;

// An overlay picture: the HUD reads x, y as the centre, the end-of-race sequence as the top-left.
struct TImg {
  std::string path;
  double width = 0.0;
  double height = 0.0;
  double x = 0.0;
  double y = 0.0;
  double dx = 0.0;
  double dy = 0.0;
  double unused = 0.0;
  double scale = 0.0;
  std::uint32_t texture = 0;
};

// A story video: the program to start and the seconds to wait for it.
struct T_video {
  std::string videoFile;
  int duration = 0;
};
using T_Tab_video = std::vector<T_video>;
