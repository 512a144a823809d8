#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "renderer/Textures.h"
#include "renderer/ULoaderObj.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/JpegWriter.h"
#include "tests/FixtureFolder.h"

namespace fs = std::filesystem;

namespace {

// Level 0 of the bound texture, tightly packed.
std::vector<std::uint8_t> TexelsOf(std::uint32_t texture, GLenum format, int& width, int& height) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * (format == GL_RGBA ? 4 : 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

// Two pixels a row: six bytes, not a multiple of four, in a size that needs no rescaling.
TImage NarrowPicture() {
  TImage image{2, 4, 3, {}};
  for (int i = 0; i < 8; ++i) {
    image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(i * 31), static_cast<std::uint8_t>(250 - i * 20),
                                             static_cast<std::uint8_t>(i % 2 ? 200 : 10)});
  }
  return image;
}

void LookFromFront() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2.0, 2.0, -1.5, 1.5, -5.0, 5.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);  // the pixel shows the texture times the material colour
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace

TEST(TextureMesh, PicturesReachTheTextureUnchanged) {
  FreshGlPlatform();
  TFixtureFolder folder;
  const TImage narrow = NarrowPicture();
  ASSERT_TRUE(WriteBmp24(folder / "narrow.bmp", narrow));
  ASSERT_TRUE(WriteTga(folder / "narrow.tga", narrow, true));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  int width = 0, height = 0;
  for (const std::string name : {"narrow.bmp", "narrow.tga"}) {
    std::uint32_t texture = 0;
    ASSERT_TRUE(LoadTexture(folder / name, texture)) << name;
    EXPECT_NE(texture, 0u);
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 8) << "the caller's alignment is restored";
    EXPECT_EQ(TexelsOf(texture, GL_RGB, width, height), narrow.pixels) << name;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  TImage translucent{4, 2, 4, {}};
  for (int i = 0; i < 8; ++i) translucent.pixels.insert(translucent.pixels.end(), {static_cast<std::uint8_t>(i * 30), 7, 99, static_cast<std::uint8_t>(i * 36)});
  ASSERT_TRUE(WriteTga(folder / "alpha.tga", translucent, false));
  std::uint32_t alpha = 0;
  ASSERT_TRUE(LoadTexture(folder / "alpha.tga", alpha));
  EXPECT_EQ(TexelsOf(alpha, GL_RGBA, width, height), translucent.pixels);

  const TImage grey = MakeSolidImage(8, 8, {128, 128, 128});
  ASSERT_TRUE(WriteJpegFile(folder / "grey.JPG", 8, 8, grey.pixels, 90));
  std::uint32_t jpeg = 0;
  ASSERT_TRUE(LoadTexture(folder / "grey.JPG", jpeg));
  const auto texels = TexelsOf(jpeg, GL_RGBA, width, height);
  for (std::size_t i = 3; i < texels.size(); i += 4) ASSERT_EQ(texels[i], 255);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
}

TEST(TextureMesh, FailedLoadsKeepTheCallersTextureAndTellThePlayer) {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TFixtureFolder folder;
  std::uint32_t texture = 77;
  EXPECT_FALSE(LoadTexture("img/nowhere.tga", texture));
  EXPECT_EQ(texture, 77u);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].first, "File not found  - img/nowhere.tga");
  EXPECT_EQ(platform.messages[0].second, "TGA Texture");

  ASSERT_TRUE(WriteBytesToFile(folder / "broken.bmp", TBytes(60, 1)));
  EXPECT_FALSE(LoadTexture(folder / "broken.bmp", texture));
  EXPECT_EQ(texture, 77u);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].second, "BMP Unit");

  const TImage grey = MakeSolidImage(8, 8, {90, 90, 90});
  ASSERT_TRUE(WriteJpegFile(folder / "photo.jpeg", 8, 8, grey.pixels, 90));
  EXPECT_FALSE(LoadTexture(folder / "photo.jpeg", texture));
  EXPECT_EQ(texture, 77u);
  EXPECT_EQ(platform.messages.size(), 2u) << "an unknown ending is refused silently";
}

TEST(TextureMesh, MeshDrawsWithItsMaterialsAndTextures) {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TFixtureFolder folder;
  const std::string square =
      "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/plate.obj", square + "g plate\nusemtl skin\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"));
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/plate.mtl", "newmtl skin\nKa 1 1 1\nKd 1 1 1\nmap_Kd tex/green.tga\n"));
  ASSERT_TRUE(WriteTga(folder / "mesh/tex/green.tga", MakeSolidImage(4, 4, {20, 200, 40}), true));

  const TObj plate(folder / "mesh/plate.obj");
  EXPECT_EQ(plate.BoundingBox(), (T_bounding_box{-1.0, 1.0, 1.0, -1.0, 0.0, 0.0}));
  const std::uint32_t green = plate.Data().materials.at(0).texture;
  EXPECT_NE(green, 0u);
  EXPECT_TRUE(platform.messages.empty());
  LookFromFront();
  plate.Draw();
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 384), TRgb{20, 200, 40}, 6));
  EXPECT_TRUE(Near(ReadPixelTopLeft(20, 20), TRgb{0, 0, 0}, 6));
  EXPECT_EQ(static_cast<std::uint32_t>(Integer(GL_TEXTURE_BINDING_2D)), green);

  // A texture that does not load is reported, and the plate is drawn in its colour alone.
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/bare.obj", square + "usemtl paint\nf 1 2 3 4\n"));
  ASSERT_TRUE(WriteTextToFile(folder / "mesh/bare.mtl", "newmtl paint\nKd 0.9 0.1 0.1\nmap_Kd tex/none.tga\n"));
  const TObj bare(folder / "mesh/bare.obj");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].first, "File not found  - " + (folder / "mesh/tex/none.tga"));
  LookFromFront();
  bare.Draw();
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 384), TRgb{230, 26, 26}, 6));
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
  glEnable(GL_LIGHTING);
}
