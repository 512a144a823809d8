// Wavefront OBJ meshes with their MTL materials, in the subset the game's loader reads:
// plain decimals (never an exponent), "v", "vn", "vt", "g", "usemtl" and faces of
// v/t/n or v//n corners. The material file sits beside the mesh with the same base name.
#pragma once

#include <string>
#include <vector>

#include "assets/Utype.h"

struct TMeshColour {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

struct TMeshMaterial {
  std::string name;
  TMeshColour ambient;
  TMeshColour diffuse;
  TMeshColour specular;
  double shininess = 0.0;
};

// One polygon. Indices are 0-based into the mesh's arrays; texCoords is either empty or
// as long as vertices.
struct TMeshFace {
  std::vector<int> vertices;
  std::vector<int> normals;
  std::vector<int> texCoords;
};

struct TMeshGroup {
  std::string name;
  std::string material;
  std::vector<TMeshFace> faces;
};

struct TMeshData {
  std::vector<T_point> vertices;
  std::vector<T_point> normals;
  std::vector<T_point> texCoords;  // u, v; z unused
  std::vector<TMeshGroup> groups;
  std::vector<TMeshMaterial> materials;
};

// "%.6f" with a negative zero written as a plain zero.
std::string FormatObjNumber(double value);

// The OBJ text; `materialFile` is named on the "mtllib" line (the game itself derives
// the material file from the mesh path).
std::string FormatObj(const TMeshData& mesh, const std::string& materialFile);
std::string FormatMtl(const TMeshData& mesh);

// Checks that every face has 3 or 4 corners, a normal per corner and indices inside the
// arrays, and that every group names a defined material. Returns the first problem, or "".
std::string CheckMesh(const TMeshData& mesh);

// Writes objPath and the .mtl beside it (objPath with ".obj" replaced). False when the
// mesh fails CheckMesh or a file cannot be written.
bool WriteMesh(const std::string& objPath, const TMeshData& mesh);
