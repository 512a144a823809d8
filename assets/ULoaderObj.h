// A mesh read from an OBJ file and its MTL materials, compiled into one display list.
#pragma once

#include <cstdint>
#include <string>

#include "assets/ObjModel.h"

class TObj {
 public:
  // Reads the OBJ file, the materials it uses (the same path ending in ".mtl") and their
  // textures, and compiles the list. A missing OBJ or MTL file throws std::runtime_error
  // whose message names the file.
  explicit TObj(const std::string& fileName);
  ~TObj() = default;
  TObj(const TObj&) = delete;
  TObj& operator=(const TObj&) = delete;

  void Draw() const;

  const t_OBJ_item& Data() const { return data_; }
  // min x, max x, max y, min y, max z, min z
  const T_bounding_box& BoundingBox() const { return data_.bounds; }
  std::uint32_t List() const { return meshList_; }

 private:
  std::uint32_t meshList_ = 0;
  t_OBJ_item data_;
};
