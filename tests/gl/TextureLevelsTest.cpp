// Pictures are kept without their smaller levels unless a filter reads them: such a
// texture samples exactly as one with every level under the game's GL_LINEAR filter,
// holds one level, and gains the very levels an upload with mipmaps makes when a
// mipmapped filter is wanted later.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "renderer/Textures.h"
#include "tests/FixtureFolder.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"

namespace {

// A busy picture: neighbouring texels differ, so any other filtering or level shows.
TImage Busy(int width, int height, int channels) {
  TImage image{width, height, channels, {}};
  for (int i = 0; i < width * height; ++i) {
    const unsigned h = static_cast<unsigned>(i) * 2654435761u;
    for (int c = 0; c < channels; ++c) image.pixels.push_back(static_cast<std::uint8_t>(h >> (8 * c)));
    if (channels == 4) image.pixels.back() = 255;
  }
  return image;
}

std::uint32_t Upload(const TImage& image, TMipmaps mipmaps) {
  return UploadTexture(image.width, image.height, image.channels == 4 ? GL_RGBA : GL_RGB,
                       image.pixels.data(), mipmaps);
}

std::vector<std::uint8_t> Texels(std::uint32_t texture, int level) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

// The texture on a quad `size` pixels wide, lit by nothing, blended by nothing.
std::vector<unsigned char> Drawn(std::uint32_t texture, double size) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 1024.0, 0.0, 768.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f), glVertex2d(3.0, 5.0);
  glTexCoord2f(1.0f, 0.0f), glVertex2d(3.0 + size, 5.0);
  glTexCoord2f(1.0f, 1.0f), glVertex2d(3.0 + size, 5.0 + size * 0.7);
  glTexCoord2f(0.0f, 1.0f), glVertex2d(3.0, 5.0 + size * 0.7);
  glEnd();
  glEnable(GL_BLEND);
  return ReadFrame();
}

}  // namespace

TEST(TextureLevels, APictureWithoutSmallerLevelsSamplesAsOneWithThem) {
  FreshGlPlatform();
  for (int channels : {3, 4}) {
    const TImage image = Busy(64, 32, channels);
    TTexture bare(Upload(image, TMipmaps::kNone));
    TTexture full(Upload(image, TMipmaps::kBuild));
    EXPECT_EQ(TextureLevels(bare.Id()), 1) << "a quarter of its memory kept for nothing";
    EXPECT_EQ(TextureLevels(full.Id()), 7);
    EXPECT_EQ(Texels(bare.Id(), 0), Texels(full.Id(), 0));
    for (double size : {700.0, 64.0, 21.0, 5.0}) {  // magnified, one to one, minified
      EXPECT_EQ(Drawn(bare.Id(), size), Drawn(full.Id(), size)) << channels << " channels, " << size;
    }
  }
}

// Pictures whose sides are not powers of two are scaled by GLU, as they always were.
TEST(TextureLevels, APictureOfAnOddSizeIsScaledAsBefore) {
  FreshGlPlatform();
  const TImage image = Busy(48, 20, 3);
  TTexture bare(Upload(image, TMipmaps::kNone));
  TTexture full(Upload(image, TMipmaps::kBuild));
  EXPECT_EQ(Texels(bare.Id(), 0), Texels(full.Id(), 0));
  EXPECT_EQ(Drawn(bare.Id(), 300.0), Drawn(full.Id(), 300.0));
}

TEST(TextureLevels, SmallerLevelsAddedLaterAreTheOnesAnUploadMakes) {
  FreshGlPlatform();
  for (int channels : {3, 4}) {
    const TImage image = Busy(32, 64, channels);
    TTexture later(Upload(image, TMipmaps::kNone));
    TTexture full(Upload(image, TMipmaps::kBuild));
    EnsureMipmaps(later.Id());
    ASSERT_EQ(TextureLevels(later.Id()), 7);
    for (int level = 0; level < 7; ++level) {
      EXPECT_EQ(Texels(later.Id(), level), Texels(full.Id(), level)) << channels << " channels, level " << level;
    }
    EnsureMipmaps(later.Id());  // twice changes nothing
    EXPECT_EQ(TextureLevels(later.Id()), 7);
  }
  EXPECT_EQ(TextureLevels(0), 0);
}

TEST(TextureLevels, LoadedPicturesKeepOneLevel) {
  FreshGlPlatform();
  TFixtureFolder folder;
  ASSERT_TRUE(WriteTga(folder / "busy.tga", Busy(128, 64, 4), false));
  ASSERT_TRUE(WriteBmp24(folder / "busy.bmp", Busy(64, 64, 3)));
  for (const char* name : {"busy.tga", "busy.bmp"}) {
    TTexture texture = LoadTexture(folder / name);
    ASSERT_TRUE(texture) << name;
    EXPECT_EQ(TextureLevels(texture.Id()), 1) << name;
  }
}
