// A mesh read from an OBJ file and its MTL materials, compiled into one display list.
#pragma once

#include <cstdint>
#include <string>

#include "assets/ObjModel.h"

// A software renderer pays for blending, the alpha test and the stencil test on every
// pixel, even where they cannot change the result. While this lives, the stencil test is
// off if it always passes and writes nothing; and, for a draw whose every fragment has
// alpha 1, blending is off if it would give the source colour and the alpha test is off
// if it would pass. What was on is turned on again at the end.
class TOpaqueDrawScope {
 public:
  explicit TOpaqueDrawScope(bool opaque);
  ~TOpaqueDrawScope();
  TOpaqueDrawScope(const TOpaqueDrawScope&) = delete;
  TOpaqueDrawScope& operator=(const TOpaqueDrawScope&) = delete;

 private:
  bool stencilOff_ = false;
  bool blendOff_ = false;
  bool alphaTestOff_ = false;
};

class TObj {
 public:
  // Reads the OBJ file, the materials it uses (the same path ending in ".mtl") and their
  // textures, and compiles the list. A missing OBJ or MTL file throws std::runtime_error
  // whose message names the file.
  explicit TObj(const std::string& fileName);
  // Gives the list and the materials' textures back to the GL.
  ~TObj();
  TObj(const TObj&) = delete;
  TObj& operator=(const TObj&) = delete;

  void Draw() const;

  const t_OBJ_item& Data() const { return data_; }
  // min x, max x, max y, min y, max z, min z
  const T_bounding_box& BoundingBox() const { return data_.bounds; }
  std::uint32_t List() const { return meshList_; }
  // Every fragment it draws has alpha 1 (see TOpaqueDrawScope).
  bool Opaque() const { return opaque_; }

 private:
  std::uint32_t meshList_ = 0;
  bool opaque_ = false;
  t_OBJ_item data_;
};

// The mesh's drawing as it goes into the list: material changes and faces, the faces
// cut into triangles and batched when every corner gives the same attributes.
void CompileMesh(const t_OBJ_item& item);
// Every face as its own polygon: what CompileMesh draws, for comparisons.
void CompilePolygons(const t_OBJ_item& item);
