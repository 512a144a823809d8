// A mesh read from an OBJ file and its MTL materials, compiled into one display list. The
// mesh owns the list and its materials' textures: they go back to the GL with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/ObjModel.h"
#include "renderer/GlHandles.h"
#include "renderer/OpaqueDrawScope.h"

class TObj {
 public:
  // Reads the OBJ file, the materials it uses (the same path ending in ".mtl") and their
  // textures, and compiles the list. A missing OBJ or MTL file throws std::runtime_error
  // whose message names the file.
  explicit TObj(const std::string& fileName);
  // A moved mesh takes its list and textures along; the one left behind draws nothing.
  TObj(TObj&&) noexcept = default;
  TObj& operator=(TObj&&) noexcept = default;
  TObj(const TObj&) = delete;
  TObj& operator=(const TObj&) = delete;

  void Draw() const;
  // For a closed mesh wound counter-clockwise seen from outside (the rings, the crafts):
  // its far side is always behind its near side, so only the faces turned to the eye are
  // filled. The same picture for about half the fragments.
  void DrawClosed() const;

  const t_OBJ_item& Data() const { return data_; }
  // min x, max x, max y, min y, max z, min z
  const T_bounding_box& BoundingBox() const { return data_.bounds; }
  std::uint32_t List() const { return list_.Base(); }
  // Every fragment it draws has alpha 1 (see TOpaqueDrawScope).
  bool Opaque() const { return opaque_; }

 private:
  // The materials in data_ keep the plain names of these textures, to bind them.
  std::vector<TTexture> textures_;
  TDisplayLists list_;
  bool opaque_ = false;
  t_OBJ_item data_;
};

// The mesh's drawing as it goes into the list: material changes and faces, the faces
// cut into triangles and batched when every corner gives the same attributes.
void CompileMesh(const t_OBJ_item& item);
// Every face as its own polygon: what CompileMesh draws, for comparisons.
void CompilePolygons(const t_OBJ_item& item);
