#include "tools/writers/MeshWriter.h"

#include <cstdio>
#include <filesystem>

#include "tools/writers/ByteWriter.h"

std::string FormatObjNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  std::string result = text;
  if (result == "-0.000000") result = "0.000000";
  return result;
}

namespace {

std::string Triple(const char* keyword, T_point p) {
  return std::string(keyword) + " " + FormatObjNumber(p.x) + " " + FormatObjNumber(p.y) + " " +
         FormatObjNumber(p.z) + "\n";
}

// The loader reads indices with its decimal reader: 1-based, plain digits.
std::string Corner(const TMeshFace& face, size_t k) {
  std::string text = std::to_string(face.vertices[k] + 1) + "/";
  if (!face.texCoords.empty()) text += std::to_string(face.texCoords[k] + 1);
  return text + "/" + std::to_string(face.normals[k] + 1);
}

std::string FaceLine(const TMeshFace& face) {
  std::string line = "f";
  for (size_t k = 0; k < face.vertices.size(); ++k) line += " " + Corner(face, k);
  return line + "\n";
}

bool InRange(const std::vector<int>& indices, size_t size) {
  for (int index : indices)
    if (index < 0 || static_cast<size_t>(index) >= size) return false;
  return true;
}

std::string CheckFace(const TMeshData& mesh, const TMeshFace& face) {
  const size_t corners = face.vertices.size();
  if (corners < 3 || corners > 4) return "a face has " + std::to_string(corners) + " corners";
  if (face.normals.size() != corners) return "a face lacks normals";
  if (!face.texCoords.empty() && face.texCoords.size() != corners)
    return "a face has texture coordinates on some corners only";
  if (!InRange(face.vertices, mesh.vertices.size()) || !InRange(face.normals, mesh.normals.size()) ||
      !InRange(face.texCoords, mesh.texCoords.size()))
    return "a face index lies outside the arrays";
  return "";
}

bool HasMaterial(const TMeshData& mesh, const std::string& name) {
  for (const TMeshMaterial& material : mesh.materials)
    if (material.name == name) return true;
  return false;
}

}  // namespace

std::string FormatObj(const TMeshData& mesh, const std::string& materialFile) {
  std::string text = "# Velmora mesh\nmtllib " + materialFile + "\n";
  for (const T_point& v : mesh.vertices) text += Triple("v", v);
  for (const T_point& t : mesh.texCoords)
    text += "vt " + FormatObjNumber(t.x) + " " + FormatObjNumber(t.y) + "\n";
  for (const T_point& n : mesh.normals) text += Triple("vn", n);
  for (const TMeshGroup& group : mesh.groups) {
    text += "g " + group.name + "\nusemtl " + group.material + "\n";
    for (const TMeshFace& face : group.faces) text += FaceLine(face);
  }
  return text;
}

std::string FormatMtl(const TMeshData& mesh) {
  std::string text = "# Velmora materials\n";
  for (const TMeshMaterial& m : mesh.materials) {
    text += "newmtl " + m.name + "\n";
    text += "Ka " + FormatObjNumber(m.ambient.r) + " " + FormatObjNumber(m.ambient.g) + " " +
            FormatObjNumber(m.ambient.b) + "\n";
    text += "Kd " + FormatObjNumber(m.diffuse.r) + " " + FormatObjNumber(m.diffuse.g) + " " +
            FormatObjNumber(m.diffuse.b) + "\n";
    text += "Ks " + FormatObjNumber(m.specular.r) + " " + FormatObjNumber(m.specular.g) + " " +
            FormatObjNumber(m.specular.b) + "\n";
    text += "Ns " + FormatObjNumber(m.shininess) + "\nillum 2\n\n";
  }
  return text;
}

std::string CheckMesh(const TMeshData& mesh) {
  for (const TMeshGroup& group : mesh.groups) {
    // The loader skips groups of these names, which would shift every material after them.
    if (group.name.empty() || group.name == "default" || group.name.rfind("skinCluster", 0) == 0)
      return "group name \"" + group.name + "\" is not kept by the loader";
    if (!HasMaterial(mesh, group.material)) return "group " + group.name + " names an unknown material";
    for (const TMeshFace& face : group.faces) {
      std::string problem = CheckFace(mesh, face);
      if (!problem.empty()) return problem + " in group " + group.name;
    }
  }
  return "";
}

bool WriteMesh(const std::string& objPath, const TMeshData& mesh) {
  if (!CheckMesh(mesh).empty()) return false;
  std::filesystem::path mtlPath(objPath);
  mtlPath.replace_extension(".mtl");
  return WriteTextToFile(objPath, FormatObj(mesh, mtlPath.filename().string())) &&
         WriteTextToFile(mtlPath.string(), FormatMtl(mesh));
}
