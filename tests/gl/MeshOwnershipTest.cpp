// A mesh owns its display list and its materials' textures: they move with the mesh and
// go back to the GL once, with the mesh that holds them last.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "renderer/Textures.h"
#include "renderer/ULoaderObj.h"
#include "tests/FixtureFolder.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"

namespace {

// A front-facing square under two materials, each with its own picture.
std::string WriteTwoPictureMesh(const TFixtureFolder& folder) {
  const std::string obj =
      "v -1 -1 0\nv 0 -1 0\nv 0 1 0\nv -1 1 0\nv 1 -1 0\nv 1 1 0\n"
      "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
      "usemtl left\nf 1/1/1 2/2/1 3/3/1 4/4/1\nusemtl right\nf 2/1/1 5/2/1 6/3/1 3/4/1\n";
  const std::string mtl =
      "newmtl left\nKa 1 1 1\nKd 1 1 1\nmap_Kd red.tga\n"
      "newmtl right\nKa 1 1 1\nKd 1 1 1\nmap_Kd blue.tga\n";
  EXPECT_TRUE(WriteTextToFile(folder / "two.obj", obj));
  EXPECT_TRUE(WriteTextToFile(folder / "two.mtl", mtl));
  EXPECT_TRUE(WriteTga(folder / "red.tga", MakeSolidImage(4, 4, {220, 30, 30}), true));
  EXPECT_TRUE(WriteTga(folder / "blue.tga", MakeSolidImage(4, 4, {30, 30, 220}), true));
  return folder / "two.obj";
}

std::vector<std::uint32_t> TexturesOf(const TObj& mesh) {
  std::vector<std::uint32_t> names;
  for (const t_rec_mtl& material : mesh.Data().materials) names.push_back(material.texture);
  return names;
}

// The centres of the left and right halves, drawn alone in a front orthographic view.
std::pair<TRgb, TRgb> Halves(const TObj& mesh) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2.0, 2.0, -1.5, 1.5, -5.0, 5.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  mesh.Draw();
  glEnable(GL_LIGHTING);
  return {ReadPixelTopLeft(512 - 128, 384), ReadPixelTopLeft(512 + 128, 384)};
}

}  // namespace

TEST(MeshOwnership, AMovedMeshTakesItsListAndTexturesAndGivesThemBackOnce) {
  FreshGlPlatform();
  TFixtureFolder folder;
  const std::string path = WriteTwoPictureMesh(folder);
  std::vector<std::uint32_t> textures;
  std::uint32_t list = 0;
  {
    TObj first(path);
    textures = TexturesOf(first);
    list = first.List();
    ASSERT_EQ(textures.size(), 2u);
    for (std::uint32_t name : textures) ASSERT_TRUE(glIsTexture(name)) << name;
    ASSERT_TRUE(glIsList(list));
    const auto [left, right] = Halves(first);
    EXPECT_TRUE(Near(left, {220, 30, 30}, 6));
    EXPECT_TRUE(Near(right, {30, 30, 220}, 6));

    TObj second = std::move(first);
    EXPECT_EQ(second.List(), list);
    EXPECT_EQ(TexturesOf(second), textures);
    const auto [leftBlank, rightBlank] = Halves(first);
    EXPECT_TRUE(Near(leftBlank, {0, 0, 0}, 6)) << "the mesh left behind draws nothing";
    EXPECT_TRUE(Near(rightBlank, {0, 0, 0}, 6));
    const auto [leftMoved, rightMoved] = Halves(second);
    EXPECT_TRUE(Near(leftMoved, left, 2));
    EXPECT_TRUE(Near(rightMoved, right, 2));

    // Assigning over a live mesh gives that mesh's objects back first.
    TObj third(path);
    const std::vector<std::uint32_t> replaced = TexturesOf(third);
    const std::uint32_t replacedList = third.List();
    third = std::move(second);
    for (std::uint32_t name : replaced) EXPECT_FALSE(glIsTexture(name)) << name;
    EXPECT_FALSE(glIsList(replacedList));
    for (std::uint32_t name : textures) EXPECT_TRUE(glIsTexture(name)) << name;
    EXPECT_TRUE(glIsList(list));
  }
  for (std::uint32_t name : textures) EXPECT_FALSE(glIsTexture(name)) << name;
  EXPECT_FALSE(glIsList(list));
}

TEST(MeshOwnership, ALoadedTextureHandleOwnsThePictureAndAFailedLoadOwnsNothing) {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TFixtureFolder folder;
  ASSERT_TRUE(WriteTga(folder / "grey.tga", MakeSolidImage(4, 4, {90, 90, 90}), true));
  std::uint32_t name = 0;
  {
    const TTexture texture = LoadTexture(folder / "grey.tga");
    ASSERT_TRUE(texture);
    name = texture.Id();
    EXPECT_TRUE(glIsTexture(name));
  }
  EXPECT_FALSE(glIsTexture(name));
  EXPECT_FALSE(LoadTexture(folder / "none.tga"));
  ASSERT_EQ(platform.messages.size(), 1u) << "the player is told, as with a plain name";
  EXPECT_EQ(platform.messages[0].first, "File not found  - " + (folder / "none.tga"));
}
