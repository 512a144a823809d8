#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/writers/MeshWriter.h"

namespace {

// A unit square in two groups: one quad with texture coordinates, one triangle without.
TMeshData TwoGroupSquare() {
  TMeshData mesh;
  mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.normals = {{0, 0, 1}};
  mesh.texCoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.materials = {{"red", {0.25, 0, 0}, {1, 0, 0}, {0.5, 0.5, 0.5}, 20}};
  mesh.groups = {{"top", "red", {{{0, 1, 2, 3}, {0, 0, 0, 0}, {0, 1, 2, 3}}}},
                 {"bottom", "red", {{{0, 2, 1}, {0, 0, 0}, {}}}}};
  return mesh;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(MeshWriter, NumbersArePlainDecimalsTheLoaderReads) {
  EXPECT_EQ(FormatObjNumber(1.5), "1.500000");
  EXPECT_EQ(FormatObjNumber(-0.25), "-0.250000");
  EXPECT_EQ(FormatObjNumber(-0.0000001), "0.000000");  // no "-0.000000"
  EXPECT_EQ(FormatObjNumber(-0.0), "0.000000");
  EXPECT_EQ(FormatObjNumber(1e7), "10000000.000000");  // never an exponent
  EXPECT_EQ(FormatObjNumber(2.0000004), "2.000000");
  EXPECT_EQ(FormatObjNumber(1e-9), "0.000000");
}

TEST(MeshWriter, ObjHasVerticesGroupsMaterialsAndCorners) {
  const std::string obj = FormatObj(TwoGroupSquare(), "square.mtl");
  EXPECT_NE(obj.find("mtllib square.mtl\n"), std::string::npos);
  EXPECT_NE(obj.find("v 1.000000 1.000000 0.000000\n"), std::string::npos);
  EXPECT_NE(obj.find("vt 1.000000 0.000000\n"), std::string::npos);
  EXPECT_NE(obj.find("vn 0.000000 0.000000 1.000000\n"), std::string::npos);
  // Each group is declared before its material, so the loader keeps it as a group.
  EXPECT_NE(obj.find("g top\nusemtl red\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"), std::string::npos);
  EXPECT_NE(obj.find("g bottom\nusemtl red\nf 1//1 3//1 2//1\n"), std::string::npos);
}

TEST(MeshWriter, MtlHasTheColoursAndShininess) {
  const std::string mtl = FormatMtl(TwoGroupSquare());
  EXPECT_NE(mtl.find("newmtl red\nKa 0.250000 0.000000 0.000000\nKd 1.000000 0.000000 0.000000\n"
                     "Ks 0.500000 0.500000 0.500000\nNs 20.000000\n"),
            std::string::npos);
}

TEST(MeshWriter, CheckMeshFindsWhatTheLoaderWouldMisread) {
  EXPECT_EQ(CheckMesh(TwoGroupSquare()), "");
  TMeshData bad = TwoGroupSquare();
  bad.groups[1].faces[0].normals.pop_back();
  EXPECT_NE(CheckMesh(bad), "");
  bad = TwoGroupSquare();
  bad.groups[0].faces[0].vertices[0] = 4;
  EXPECT_NE(CheckMesh(bad), "");
  bad = TwoGroupSquare();
  bad.groups[0].name = "default";  // the loader skips such a group
  EXPECT_NE(CheckMesh(bad), "");
  bad = TwoGroupSquare();
  bad.groups[0].material = "blue";
  EXPECT_NE(CheckMesh(bad), "");
  bad = TwoGroupSquare();
  bad.groups[0].faces[0].vertices.push_back(0);
  bad.groups[0].faces[0].normals.push_back(0);
  bad.groups[0].faces[0].texCoords.push_back(0);
  EXPECT_NE(CheckMesh(bad), "");  // five corners
}

TEST(MeshWriter, WritesTheMaterialFileBesideTheMesh) {
  const auto dir = std::filesystem::temp_directory_path() / "velmora_mesh_writer_test";
  std::filesystem::remove_all(dir);
  const std::string obj = (dir / "sub" / "my craft.obj").string();
  ASSERT_TRUE(WriteMesh(obj, TwoGroupSquare()));
  EXPECT_EQ(ReadAll(obj), FormatObj(TwoGroupSquare(), "my craft.mtl"));
  EXPECT_EQ(ReadAll((dir / "sub" / "my craft.mtl").string()), FormatMtl(TwoGroupSquare()));
  TMeshData bad = TwoGroupSquare();
  bad.groups[0].material = "blue";
  EXPECT_FALSE(WriteMesh((dir / "bad.obj").string(), bad));
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.obj"));
  std::filesystem::remove_all(dir);
}
