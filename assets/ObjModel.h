// A mesh as read from a Wavefront OBJ file and its MTL materials: plain records and a
// pure parser, no GL. TObj (ULoaderObj.h) loads the textures and compiles the list.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "assets/Utype.h"

using t_tab_vertex = std::vector<T_point>;

// A value and whether the file gave it: present is 1.0 or 0.0.
struct t_obj_pair {
  double value = 0.0;
  double present = 0.0;
};

// A texture coordinate (u, v, w), or a face corner: the 1-based indices of its vertex,
// texture coordinate and normal as written in the file.
using t_vt = std::array<t_obj_pair, 3>;
using t_tab_vt = std::vector<t_vt>;
using t_tab_face = std::vector<t_tab_vt>;

struct t_rec_grp {
  std::string name;
  std::string materialName;
  std::int32_t materialIndex = 0;  // 0-based into the materials
  std::int32_t firstFace = 0;      // 1-based number of the group's first face
};
using t_tab_grp = std::vector<t_rec_grp>;

using t_colour = std::array<float, 4>;  // r, g, b, a

struct t_rec_mtl {
  std::string name;
  t_colour ambient{};
  t_colour diffuse{};
  t_colour specular{};
  float ni = 0.0f;  // optical density: kept, not drawn
  float ns = 0.0f;  // shininess
  std::uint32_t texture = 0;
  bool hasAmbient = false;
  bool hasDiffuse = false;
  bool hasSpecular = false;
  bool hasNi = false;
  bool hasNs = false;
  bool hasTexture = false;
  std::string texturePath;  // the map_Kd picture, beside the OBJ file
};
using t_tab_mtl = std::vector<t_rec_mtl>;

// min x, max x, max y, min y, max z, min z
using T_bounding_box = std::array<double, 6>;

struct t_OBJ_item {
  t_tab_vertex vertices;
  t_tab_vt texCoords;
  t_tab_vertex normals;
  t_tab_face faces;
  t_tab_grp groups;
  t_tab_mtl materials;
  T_bounding_box bounds{};
};

// Gives the text of the mesh's material file; false when it cannot be read.
using TMtlReader = std::function<bool(std::string& text)>;

// The material file of a mesh: its path with the last four characters replaced by ".mtl".
std::string MtlFileNameOf(const std::string& objFileName);

// Reads the OBJ text. Each material named by a "usemtl" line is read once, from a fresh
// MTL text given by readMtl; a material the MTL text does not define keeps every flag
// false. Throws std::runtime_error naming the MTL file when readMtl fails.
t_OBJ_item ParseObj(const std::string& objFileName, const std::string& objText, const TMtlReader& readMtl);

// ParseObj on the files (through ResolvePath). A missing OBJ or MTL file throws
// std::runtime_error whose message names it.
t_OBJ_item ReadObjFile(const std::string& objFileName);

// The 0-based array position of a corner's index (rounded up, as written 1-based), or
// -1 when it is absent or lies outside an array of `count` elements.
long CornerIndex(const t_obj_pair& index, std::size_t count);

// For each face, the material to apply just before it is drawn, or -1 to keep the
// current one. A group's material applies from its first face; when several groups
// begin at the same face, the last of them that names a material wins.
std::vector<int> MaterialChanges(const t_OBJ_item& item);
