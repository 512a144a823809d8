#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "assets/ObjModel.h"
#include "tools/writers/ByteWriter.h"
#include "tools/writers/MeshWriter.h"
#include "tests/FixtureFolder.h"

namespace fs = std::filesystem;

namespace {

// Parses with an MTL text held in memory, counting how often it is read.
struct TParse {
  std::string mtl;
  int mtlReads = 0;
  t_OBJ_item operator()(const std::string& obj, const std::string& objFileName = "mesh/anneau.obj") {
    return ParseObj(objFileName, obj, [this](std::string& text) {
      ++mtlReads;
      text = mtl;
      return true;
    });
  }
};

const char kFourPoints[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n";

}  // namespace

TEST(ObjModel, FaceCornersInTheirFourForms) {
  TParse parse;
  const t_OBJ_item item = parse(std::string(kFourPoints) + "f 1 2 3 4\nf 1/1 2/1 3/1\nf 1//1 2//1 3//1\nf 4/1/1 3/1/1 2/1/1  \nf 1  2   3\n");
  ASSERT_EQ(item.faces.size(), 5u);
  EXPECT_EQ(item.faces[4].size(), 3u);  // runs of blanks separate like one
  ASSERT_EQ(item.faces[0].size(), 4u);  // one polygon of four corners
  for (const t_vt& corner : item.faces[0]) {
    EXPECT_EQ(corner[0].present, 1.0);
    EXPECT_EQ(corner[1].present, 0.0);
    EXPECT_EQ(corner[2].present, 0.0);
  }
  EXPECT_EQ(item.faces[0][3][0].value, 4.0);
  const t_vt& textured = item.faces[1][2];
  EXPECT_EQ(textured[0].value, 3.0);
  EXPECT_EQ(textured[1].present, 1.0);
  EXPECT_EQ(textured[2].present, 0.0);
  const t_vt& normal = item.faces[2][1];
  EXPECT_EQ(normal[1].present, 0.0);
  EXPECT_EQ(normal[2].present, 1.0);
  EXPECT_EQ(normal[2].value, 1.0);
  ASSERT_EQ(item.faces[3].size(), 3u);  // the blanks at the end give no corner
  EXPECT_EQ(item.faces[3][0][0].value, 4.0);
  EXPECT_EQ(item.faces[3][0][1].present, 1.0);
  EXPECT_EQ(item.faces[3][0][2].present, 1.0);
}

TEST(ObjModel, NumbersVectorsAndBounds) {
  TParse parse;
  const t_OBJ_item item = parse("v 1 2 3 4\nv -3.5 0.25 1e3\nv 5\nvt 0.5 0.25\nvn  0 -1 0\n# v 9 9 9\n");
  ASSERT_EQ(item.vertices.size(), 3u);
  EXPECT_EQ(item.vertices[0].x, 1.0);
  EXPECT_EQ(item.vertices[0].z, 3.0);  // a fourth number is ignored
  EXPECT_EQ(item.vertices[1].x, -3.5);
  EXPECT_EQ(item.vertices[1].z, -1.0);  // no exponents: unreadable
  EXPECT_EQ(item.vertices[2].x, 5.0);
  EXPECT_EQ(item.vertices[2].y, 0.0);  // left out
  ASSERT_EQ(item.texCoords.size(), 1u);
  EXPECT_EQ(item.texCoords[0][0].value, 0.5);
  EXPECT_EQ(item.texCoords[0][1].value, 0.25);
  EXPECT_EQ(item.texCoords[0][1].present, 1.0);
  EXPECT_EQ(item.texCoords[0][2].present, 0.0);
  ASSERT_EQ(item.normals.size(), 1u);
  EXPECT_EQ(item.normals[0].y, -1.0);
  // min x, max x, max y, min y, max z, min z
  EXPECT_EQ(item.bounds, (T_bounding_box{-3.5, 5.0, 2.0, 0.0, 3.0, -1.0}));
}

TEST(ObjModel, ToolGroupsAreSkippedAndMaterialsOpenGroupsOfTheirOwn) {
  TParse parse;
  parse.mtl = "newmtl a\nKd 1 0 0\nnewmtl b\nKd 0 1 0\n";
  const t_OBJ_item item = parse(std::string(kFourPoints) +
                                "g default\nusemtl a\nf 1 2 3\n"           // no group yet: one is made
                                "g hull\nusemtl b\nf 1 2 3\n"              // the material joins hull
                                "g skinCluster12\nusemtl a\nf 1 2 3\n"     // reuses hull
                                "f 2 3 4\nusemtl b\nf 1 2 3\n");          // a group named by its number
  ASSERT_EQ(item.groups.size(), 3u);
  EXPECT_EQ(item.groups[0].name, "1");
  EXPECT_EQ(item.groups[0].materialName, "a");
  EXPECT_EQ(item.groups[0].firstFace, 1);
  EXPECT_EQ(item.groups[1].name, "hull");
  EXPECT_EQ(item.groups[1].materialName, "a");  // replaced after the skinCluster line
  EXPECT_EQ(item.groups[1].firstFace, 2);
  EXPECT_EQ(item.groups[2].name, "3");
  EXPECT_EQ(item.groups[2].firstFace, 5);
  EXPECT_EQ(item.groups[2].materialIndex, 1);
  EXPECT_EQ(MaterialChanges(item), (std::vector<int>{0, 0, -1, -1, 1}));
}

TEST(ObjModel, RepeatedMaterialLinesAndSharedMaterials) {
  TParse parse;
  parse.mtl = "newmtl red\r\nKd 1 0 0\r\nnewmtl blue\r\nKd 0 0 1\r\nnewmtl green\r\nKd 0 1 0\r\n";
  const t_OBJ_item item = parse(std::string(kFourPoints) +
                                "usemtl red\nusemtl blue\nf 1 2 3\nf 1 3 4\n"
                                "g wing\nusemtl green\nf 1 2 4\ng tail\nusemtl red\nf 2 3 4\n");
  ASSERT_EQ(item.groups.size(), 4u);
  EXPECT_EQ(item.groups[0].firstFace, item.groups[1].firstFace);
  // Each material is read once, in the order it is first used; red is shared.
  ASSERT_EQ(item.materials.size(), 3u);
  EXPECT_EQ(parse.mtlReads, 3);
  EXPECT_EQ(item.materials[1].name, "blue");
  EXPECT_EQ(item.groups[0].materialIndex, 0);
  EXPECT_EQ(item.groups[3].materialIndex, 0);
  // The later of two materials named before the same face is the one drawn, and the
  // groups after them still change the material.
  EXPECT_EQ(MaterialChanges(item), (std::vector<int>{1, -1, 2, 0}));
}

TEST(ObjModel, MaterialBlocksTexturesAndUndefinedNames) {
  TParse parse;
  parse.mtl =
      "# made by hand\r\nnewmtl wood\r\nKa 0.1 0.2 0.3\r\nKd 0.6 0.4 0.2 0.9\r\nKs 1 1 1\r\nNi 1.5\r\n"
      "Ns 40\r\nillum 2\r\nmap_Kd tex/wood.tga\r\nnewmtl metal\r\nKd 0.5 0.5 0.5\r\n";
  const t_OBJ_item item = parse("usemtl wood\nusemtl missing\nusemtl metal\n");
  ASSERT_EQ(item.materials.size(), 3u);
  const t_rec_mtl& wood = item.materials[0];
  EXPECT_TRUE(wood.hasAmbient && wood.hasDiffuse && wood.hasSpecular && wood.hasNi && wood.hasNs && wood.hasTexture);
  EXPECT_EQ(wood.diffuse, (t_colour{0.6f, 0.4f, 0.2f, 1.0f}));  // alpha is always 1
  EXPECT_EQ(wood.ambient[2], 0.3f);
  EXPECT_EQ(wood.ni, 1.5f);
  EXPECT_EQ(wood.ns, 40.0f);
  EXPECT_EQ(wood.texturePath, "mesh/tex/wood.tga");
  EXPECT_EQ(wood.texture, 0u);  // loaded later, with a GL context
  const t_rec_mtl& missing = item.materials[1];
  EXPECT_EQ(missing.name, "missing");
  EXPECT_FALSE(missing.hasAmbient || missing.hasDiffuse || missing.hasSpecular || missing.hasNi || missing.hasNs ||
               missing.hasTexture);
  EXPECT_TRUE(item.materials[2].hasDiffuse);
  EXPECT_FALSE(item.materials[2].hasTexture);  // its block ends at the next newmtl

  TParse bare;
  bare.mtl = "newmtl wood\nmap_Kd wood.tga\n";
  EXPECT_EQ(bare("usemtl wood\n", "ring.obj").materials[0].texturePath, "wood.tga");
}

TEST(ObjModel, ShortLinesAndIndicesOutsideTheArrays) {
  TParse parse;
  parse.mtl = "newmtl x\n";
  const t_OBJ_item item = parse("v\nvn\nvt\nf\ng\nusemtl\nusemtl \n   \n\nv 1 1 1\nf 1 0 -1 2 1.5 1/7/9\n");
  EXPECT_EQ(item.vertices.size(), 1u);
  EXPECT_TRUE(item.normals.empty() && item.texCoords.empty() && item.groups.empty() && item.materials.empty());
  EXPECT_EQ(parse.mtlReads, 0);
  ASSERT_EQ(item.faces.size(), 1u);
  const t_tab_vt& face = item.faces[0];
  ASSERT_EQ(face.size(), 6u);
  EXPECT_EQ(CornerIndex(face[0][0], 1), 0);
  EXPECT_EQ(CornerIndex(face[1][0], 1), -1);  // zero
  EXPECT_EQ(CornerIndex(face[2][0], 1), -1);  // negative
  EXPECT_EQ(CornerIndex(face[3][0], 1), -1);  // beyond
  EXPECT_EQ(CornerIndex(face[4][0], 2), 1);   // rounded up
  EXPECT_EQ(CornerIndex(face[5][1], 0), -1);
  EXPECT_EQ(CornerIndex(face[5][2], 0), -1);
  EXPECT_EQ(CornerIndex(t_obj_pair{1.0, 0.0}, 5), -1);  // absent

  // A group without a material when there are none changes nothing.
  const t_OBJ_item lone = parse("g lonely\nv 1 1 1\nf 1 1 1\n");
  EXPECT_EQ(MaterialChanges(lone), (std::vector<int>{-1}));
}

TEST(ObjModel, FilesAreReadThroughTheContentPathsAndMissingOnesAreNamed) {
  TFixtureFolder folder;
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/brisel reduce-dash.obj", std::string(kFourPoints) + "g body\r\nusemtl paint\r\nf 1 2 3\r\n"));
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/brisel reduce-dash.mtl", "newmtl paint\r\nKd 0.5 0.5 0.5\r\n"));
  const t_OBJ_item craft = ReadObjFile(folder / "mesh\\Brisel Reduce-Dash.obj");
  ASSERT_EQ(craft.materials.size(), 1u);
  EXPECT_TRUE(craft.materials[0].hasDiffuse);
  EXPECT_EQ(craft.groups[0].name, "body");

  try {
    ReadObjFile(folder / "mesh/absent.obj");
    FAIL() << "a missing mesh must throw";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("mesh/absent.obj"), std::string::npos) << error.what();
  }
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/lonely.obj", "v 1 2 3\nusemtl paint\n"));
  try {
    ReadObjFile(folder / "mesh/lonely.obj");
    FAIL() << "a missing material file must throw";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("mesh/lonely.mtl"), std::string::npos) << error.what();
  }
  // Without a material line the material file is never needed.
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/plain.obj", "v 1 2 3\n"));
  EXPECT_EQ(ReadObjFile(folder / "mesh/plain.obj").vertices.size(), 1u);
}

TEST(ObjModel, MeshesFromTheProjectWriterReadBack) {
  TMeshData mesh;
  mesh.vertices = {{0, 0, 0}, {2, 0, 0}, {2, 1.5, 0}, {0, 1.5, -0.25}};
  mesh.normals = {{0, 0, 1}};
  mesh.texCoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.materials = {{"hull", {0.1, 0.1, 0.1}, {0.8, 0.2, 0.2}, {0.5, 0.5, 0.5}, 30},
                    {"glass", {0, 0, 0}, {0.2, 0.3, 0.9}, {1, 1, 1}, 90}};
  mesh.groups = {{"body", "hull", {TMeshFace{{0, 1, 2, 3}, {0, 0, 0, 0}, {0, 1, 2, 3}}}},
                 {"canopy", "glass", {TMeshFace{{0, 2, 3}, {0, 0, 0}, {}}}},
                 {"fin", "hull", {TMeshFace{{1, 2, 3}, {0, 0, 0}, {}}}}};
  ASSERT_EQ(CheckMesh(mesh), "");
  TParse parse;
  parse.mtl = FormatMtl(mesh);
  const t_OBJ_item item = parse(FormatObj(mesh, "anneau.mtl"));
  EXPECT_EQ(item.vertices.size(), 4u);
  EXPECT_EQ(item.faces.size(), 3u);
  ASSERT_EQ(item.materials.size(), 2u);
  EXPECT_FLOAT_EQ(item.materials[1].diffuse[2], 0.9f);
  EXPECT_FLOAT_EQ(item.materials[0].ns, 30.0f);
  EXPECT_EQ(MaterialChanges(item), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(CornerIndex(item.faces[0][2][1], item.texCoords.size()), 2);
  EXPECT_EQ(item.bounds, (T_bounding_box{0.0, 2.0, 1.5, 0.0, 0.0, -0.25}));
}
