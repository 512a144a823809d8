// Unlit white surfaces take their texture's colour as it is: the same picture as the
// modulated draw, and the modulation the rest of the game relies on comes back after.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "renderer/GlHandles.h"
#include "renderer/TextureAsIsScope.h"
#include "renderer/Textures.h"
#include "tests/gl/GlTestSupport.h"

namespace {

// Every texel its own colour, and with `channels` 4 an alpha from clear to opaque.
TImage Varied(int channels) {
  TImage image{64, 64, channels, {}};
  image.pixels.resize(static_cast<std::size_t>(64 * 64 * channels));
  for (int i = 0; i < 64 * 64; ++i) {
    std::uint8_t* texel = &image.pixels[static_cast<std::size_t>(i * channels)];
    texel[0] = static_cast<std::uint8_t>(i * 7);
    texel[1] = static_cast<std::uint8_t>(i / 64 * 4 + 3);
    texel[2] = static_cast<std::uint8_t>(255 - i % 64 * 4);
    if (channels == 4) texel[3] = static_cast<std::uint8_t>(i * 13 % 256);
  }
  return image;
}

TTexture Uploaded(const TImage& image) {
  return TTexture(UploadTexture(image.width, image.height, image.channels == 4 ? GL_RGBA : GL_RGB,
                                image.pixels.data(), TMipmaps::kNone));
}

// The picture stretched over most of the frame, magnified and filtered, over a grey
// ground, with the race's blending and alpha test.
std::vector<unsigned char> Drawn(std::uint32_t texture, const std::function<void()>& around) {
  glClearColor(0.3f, 0.35f, 0.4f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GEQUAL, 0.25f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  around();
  return ReadFrame();
}

void Quad() {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-0.9f, -0.8f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(0.9f, -0.9f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(0.8f, 0.9f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-0.9f, 0.9f);
  glEnd();
}

GLint EnvMode() {
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  return mode;
}

TRgb Centre() { return ReadPixelTopLeft(512, 384); }

}  // namespace

TEST(TextureAsIs, AnUnlitWhiteDrawLooksTheSameAsModulated) {
  FreshGlPlatform();
  for (int channels : {3, 4}) {
    const TTexture picture = Uploaded(Varied(channels));
    const std::vector<unsigned char> modulated = Drawn(picture.Id(), Quad);
    const std::vector<unsigned char> asIs = Drawn(picture.Id(), [] {
      const TTextureAsIsScope scope;
      Quad();
    });
    EXPECT_EQ(modulated, asIs) << channels << " channels";
    EXPECT_NE(modulated, Drawn(picture.Id(), [] {})) << "the quad was drawn";
  }
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
}

TEST(TextureAsIs, TheModeBeforeComesBackAndColourModulatesAgain) {
  FreshGlPlatform();
  const TTexture white(UploadTexture(8, 8, GL_RGB, Solid({255, 255, 255}).pixels.data(), TMipmaps::kNone));
  auto halfGreyQuad = [&] {
    Drawn(white.Id(), [] {
      glColor3f(0.5f, 0.5f, 0.5f);
      Quad();
    });
  };
  ASSERT_EQ(EnvMode(), GL_MODULATE);
  {
    const TTextureAsIsScope scope;
    EXPECT_EQ(EnvMode(), GL_REPLACE);
    halfGreyQuad();
    EXPECT_TRUE(Near(Centre(), {255, 255, 255}, 2)) << "the colour is left out";
  }
  EXPECT_EQ(EnvMode(), GL_MODULATE);
  halfGreyQuad();
  EXPECT_TRUE(Near(Centre(), {128, 128, 128}, 2)) << "modulated again";
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  { const TTextureAsIsScope scope; }
  EXPECT_EQ(EnvMode(), GL_DECAL);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// A list compiled with the scope inside (the HUD's panels) replays both changes.
TEST(TextureAsIs, AListRecordsTheChangeAndTheRestore) {
  FreshGlPlatform();
  const TTexture white(UploadTexture(8, 8, GL_RGB, Solid({255, 255, 255}).pixels.data(), TMipmaps::kNone));
  const TDisplayLists list(1);
  glNewList(list.Base(), GL_COMPILE);
  {
    const TTextureAsIsScope scope;
    Quad();
  }
  glEndList();
  Drawn(white.Id(), [&] {
    glColor3f(0.5f, 0.5f, 0.5f);
    glCallList(list.Base());
  });
  EXPECT_TRUE(Near(Centre(), {255, 255, 255}, 2)) << "drawn as is";
  EXPECT_EQ(EnvMode(), GL_MODULATE);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
}
