#include "fuzz/SeedMaker.h"
#include "tools/writers/MeshWriter.h"

namespace {

std::string WithMaterials(const std::string& obj, const std::string& mtl) {
  return obj + std::string(1, '\0') + mtl;
}

// A square of two groups sharing a material, written by the project's mesh writer.
TMeshData Square() {
  TMeshData mesh;
  mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.normals = {{0, 0, 1}};
  mesh.texCoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.materials = {{"red", {0.2, 0, 0}, {0.9, 0.1, 0.1}, {1, 1, 1}, 20}};
  TMeshFace face{{0, 1, 2}, {0, 0, 0}, {0, 1, 2}};
  mesh.groups = {{"left", "red", {face}}, {"right", "red", {face}}};
  return mesh;
}

// Every form of corner, the modelling tool's own groups, repeated materials, a texture.
const char kForms[] =
    "# forms\r\nv 0 0 0\r\nv 1 0 0\r\nv 1 1 0\r\nv 0 1 -.5 7\r\nvt 0.5 0.25\r\nvn 0 0 1\r\n"
    "g default\r\nusemtl wood\r\nf 1 2 3 4\r\ng skinCluster1\r\nf 1/1 2/1 3/1\r\n"
    "g hull\r\nusemtl wood\r\nusemtl glass\r\nf 1//1 2//1 3//1\r\nf 1/1/1 2/1/1 3/1/1 \r\n";
const char kFormsMtl[] =
    "newmtl wood\r\nKa 0.1 0.1 0.1\r\nKd 0.6 0.4 0.2\r\nNs 12\r\nmap_Kd tex/wood.tga\r\n"
    "newmtl glass\r\nKs 1 1 1\r\nNi 1.5\r\nillum 2\r\n";

TSeedMaker maker("obj", [](const std::string& dir) {
  const TMeshData square = Square();
  WriteSeed(dir, "square.txt", WithMaterials(FormatObj(square, "square.mtl"), FormatMtl(square)));
  WriteSeed(dir, "forms.txt", WithMaterials(kForms, kFormsMtl));
  WriteSeed(dir, "no-materials.txt", std::string("v 1 2 3\nv 4 5 6\nv 7 8 9\nf 1 2 3\n"));
});

}  // namespace
