// Far blocks drawn in coarser steps: no crack opens between blocks of different steps,
// the culled picture is still the picture of every block, the undersides are not drawn,
// and the far blocks read the terrain's picture shrunk for their distance.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/FixtureFolder.h"
#include "tests/gl/GlTestSupport.h"
#include "assets/Image.h"
#include "renderer/Textures.h"
#include "tools/writers/ImageWriters.h"
#include "world/Umap.h"

namespace {

// Rough heights from 40 to 230 everywhere: every cell stands, and the coarse edges miss
// many fine samples, so any crack would open.
TImage RoughHeights(int side) {
  TImage image = MakeSolidImage(side, side, {0, 0, 0});
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const unsigned hash = (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u) % 191;
      image.pixels[(static_cast<std::size_t>(y) * side + x) * 3 + 2] = static_cast<std::uint8_t>(40 + hash);
    }
  }
  return image;
}

// Reddish terrain, green ground, blue sky: a pixel of the ground or the sky shows.
TImage Solid(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return MakeSolidImage(8, 8, {r, g, b}); }

// A cleared frame and a wide lens, pitched down by `pitch` degrees, the eye `height`
// above the field's centre and `back` behind it.
void WideLens(double pitch, double height, double back) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, 4.0 / 3.0, 1.0, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(pitch, 1.0, 0.0, 0.0);
  glTranslated(0.0, -height, -back);
}

// Looking down at 45 degrees from 300 above the near edge of a field of 2000 x 2000: only
// terrain on screen, from 8 to 110 cells away.
void LookAcross() { WideLens(45.0, 300.0, 900.0); }

std::vector<unsigned char> Frame(const std::function<void()>& draw) {
  LookAcross();
  draw();
  std::vector<unsigned char> pixels(1024 * 768 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

int NotTerrain(const std::vector<unsigned char>& pixels) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) count += pixels[i] > pixels[i + 1] + 40 ? 0 : 1;
  return count;
}

GLint MinFilter(std::uint32_t texture) {
  GLint filter = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  return filter;
}

}  // namespace

TEST(TerrainDetail, CoarseFarBlocksLeaveNoCrackAndCullAsEveryBlock) {
  FreshGlPlatform();
  TFixtureFolder dir;
  const std::string map = dir / "rough.bmp", terrain = dir / "terrain.bmp";
  ASSERT_TRUE(WriteBmp24(map, RoughHeights(201)));
  ASSERT_TRUE(WriteBmp24(terrain, Solid(200, 60, 40)));
  ASSERT_TRUE(WriteBmp24(dir / "ground.bmp", Solid(30, 200, 30)));
  ASSERT_TRUE(WriteBmp24(dir / "sky.bmp", Solid(40, 60, 220)));
  TMap field(map, 1.0, 10.0, 255.0, dir / "ground.bmp", terrain, dir / "sky.bmp");
  const std::vector<unsigned char> fine = Frame([&] { field.Draw(); });
  ASSERT_EQ(NotTerrain(fine), 0) << "the view holds nothing but terrain";
  EXPECT_EQ(field.DrawnCoarseChunks(), 0) << "full detail until asked";

  const std::size_t fineLists = field.Lists().size();
  field.UseCoarserFarBlocks();
  EXPECT_EQ(field.Lists().size(), fineLists + 2 * field.ChunkCount()) << "steps 2 and 4 of every block";
  for (std::uint32_t list : field.Lists()) EXPECT_TRUE(glIsList(list)) << list;
  const std::vector<unsigned char> coarse = Frame([&] { field.Draw(); });
  EXPECT_GT(field.DrawnCoarseChunks(), 0);
  EXPECT_LT(field.DrawnCoarseChunks(), field.DrawnChunks()) << "the near blocks stay fine";
  EXPECT_EQ(NotTerrain(coarse), 0) << "ground showing through cracks between steps";
  EXPECT_TRUE(Frame([&] { field.DrawEverything(); }) == coarse);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A plateau at 200 seen from 100 below its top, from outside the field: the eye looks at
// its underside only, which is never drawn, fine or coarse; from above it is all terrain.
TEST(TerrainDetail, TheUndersideOfTheSurfaceIsNotDrawn) {
  FreshGlPlatform();
  TFixtureFolder dir;
  ASSERT_TRUE(WriteBmp24(dir / "plateau.bmp", MakeSolidImage(41, 41, {0, 0, 200})));
  ASSERT_TRUE(WriteBmp24(dir / "terrain.bmp", Solid(200, 60, 40)));
  ASSERT_TRUE(WriteBmp24(dir / "ground.bmp", Solid(30, 200, 30)));
  ASSERT_TRUE(WriteBmp24(dir / "sky.bmp", Solid(40, 60, 220)));
  TMap field(dir / "plateau.bmp", 1.0, 10.0, 255.0, dir / "ground.bmp", dir / "terrain.bmp", dir / "sky.bmp");
  auto terrainPixels = [&](double eyeHeight, double pitch) {
    WideLens(pitch, eyeHeight, 600.0);
    field.Draw();
    std::vector<unsigned char> pixels(1024 * 768 * 4);
    glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return 1024 * 768 - NotTerrain(pixels);
  };
  EXPECT_EQ(terrainPixels(100.0, -10.0), 0) << "the underside, full detail";
  EXPECT_GT(terrainPixels(300.0, 10.0), 20000) << "the top";
  field.UseCoarserFarBlocks();
  EXPECT_EQ(terrainPixels(100.0, -10.0), 0) << "the underside, coarse";
  EXPECT_GT(field.DrawnCoarseChunks(), 0);
  EXPECT_GT(terrainPixels(300.0, 10.0), 20000) << "the top, coarse";
}

// The far blocks read copies of the terrain's picture shrunk for their distance, half
// size at step 2 and an eighth at step 4, without mip levels (choosing one per pixel is
// what costs), each texel the mean of those it covers; the near blocks read the picture
// itself.
TEST(TerrainDetail, FarBlocksReadThePictureShrunkForTheirStepWithoutMipLevels) {
  FreshGlPlatform();
  TFixtureFolder dir;
  TImage speckled = MakeSolidImage(16, 16, {200, 60, 40});
  for (std::size_t i = 0; i < speckled.pixels.size(); ++i) speckled.pixels[i] ^= static_cast<std::uint8_t>(i * 37 % 64);
  ASSERT_TRUE(WriteBmp24(dir / "terrain.bmp", speckled));
  TTerrainDraw draw;
  draw.LoadTextures(dir / "terrain.bmp", dir / "terrain.bmp", dir / "terrain.bmp");
  EXPECT_EQ(draw.FarTerrainTexture(2), 0u) << "made only for coarse blocks";
  draw.PrepareFarTerrain();
  const TTexturePicture near = ReadTexturePicture(draw.TerrainTexture());
  ASSERT_EQ(near.width, 16);
  TImage expected{near.width, near.height, 3, near.pixels};
  for (const auto& [step, halvings] : {std::pair{2, 1}, std::pair{4, 3}}) {
    const std::uint32_t far = draw.FarTerrainTexture(step);
    ASSERT_NE(far, 0u) << step;
    EXPECT_NE(far, draw.TerrainTexture());
    EXPECT_EQ(TextureLevels(far), 1) << "step " << step;
    EXPECT_EQ(MinFilter(far), GL_LINEAR) << "step " << step;
    TImage shrunk = expected;
    for (int n = 0; n < halvings; ++n) shrunk = HalvedImage(shrunk);
    const TTexturePicture read = ReadTexturePicture(far);
    EXPECT_EQ(read.width, 16 >> halvings);
    EXPECT_EQ(read.height, 16 >> halvings);
    EXPECT_TRUE(read.pixels == shrunk.pixels) << "step " << step;
  }
  EXPECT_EQ(MinFilter(draw.TerrainTexture()), GL_LINEAR);
  EXPECT_EQ(TextureLevels(draw.TerrainTexture()), 1);
  EXPECT_EQ(draw.FarTerrainTexture(1), 0u) << "the near blocks have none";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
