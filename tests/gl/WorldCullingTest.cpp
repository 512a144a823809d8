// The terrain cut into blocks and drawn only where the view reaches: the same triangles,
// the same picture, far fewer blocks from the start of a race.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "world/TerrainMesh.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"

namespace fs = std::filesystem;

namespace {

// Hills cut by narrow valleys at 0, and a flat corner of 5/9 of the side where the
// blocks hold no triangle (four of them when the side is 72).
TImage HillHeights(int side) {
  TImage image = MakeSolidImage(side, side, {0, 0, 0});
  const int flat = side * 5 / 9;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      if ((x < flat && y < flat) || x % 23 == 0) continue;
      const double h = 120.0 + 80.0 * std::sin(x * 0.11) * std::cos(y * 0.07) + 30.0 * std::sin((x + 2 * y) * 0.05);
      image.pixels[(static_cast<std::size_t>(y) * side + x) * 3 + 2] = static_cast<std::uint8_t>(h);
    }
  }
  return image;
}

// Texels that differ from their neighbours, so any change of sampling would show.
TImage Speckled(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  TImage image = MakeSolidImage(16, 16, {r, g, b});
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<std::uint8_t>(image.pixels[i] + (i * 37) % 60);
  }
  return image;
}

int DifferingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    count += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
  }
  return count;
}

void RaceProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// A view: pitch and yaw in degrees, then the eye's world position.
struct TView {
  double pitch, yaw, roll;
  T_point eye;
};

void ApplyTestView(const TView& v) {
  RaceProjection();
  glRotated(v.roll, 0.0, 0.0, 1.0);
  glRotated(v.pitch, 1.0, 0.0, 0.0);
  glRotated(v.yaw, 0.0, 1.0, 0.0);
  glTranslated(-v.eye.x, -v.eye.y, -v.eye.z);
}

class WorldCulling : public testing::Test {
 protected:
  void SetUp() override {
    FreshGlPlatform();
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / "velmora_world_culling";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    WriteBmp24("textures/terrain.bmp", Speckled(150, 90, 40));
    WriteBmp24("textures/ground.bmp", Speckled(30, 140, 30));
    WriteBmp24("textures/sky.bmp", Speckled(40, 60, 170));
    WriteBmp24("track_data/hills.bmp", HillHeights(72));
  }

  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  static std::unique_ptr<TMap> HillMap(const std::string& terrainTexture = "textures/terrain.bmp") {
    return std::make_unique<TMap>("track_data/hills.bmp", 1.0, 10.0, 255.0, "textures/ground.bmp",
                                  terrainTexture, "textures/sky.bmp");
  }

  // The frame after the terrain is drawn from the view, starting from a clear frame.
  static std::vector<unsigned char> Picture(const TView& view, const std::function<void()>& draw) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    ApplyTestView(view);
    draw();
    return ReadFrame();
  }

  fs::path previous_;
  fs::path dir_;
};

TEST(WorldChunks, BlocksHoldExactlyTheTrianglesOfTheWholeField) {
  auto grid = std::make_shared<t_tab_pixel>(37, std::vector<std::uint8_t>(21, 0));
  for (int row = 0; row < 37; ++row) {
    for (int col = 0; col < 21; ++col) (*grid)[row][col] = (row > 20 && col > 3) ? (row * 7 + col * 3) % 200 : 0;
  }
  t_rain terrain;
  terrain.samples = grid;
  terrain.cellSize = 5.0;
  terrain.maxHeight = 255.0;
  const std::vector<TMeshVertex> whole = BuildTerrainTriangles(terrain);
  const std::vector<TTerrainChunk> chunks = BuildTerrainChunks(terrain, 8);
  // 20 x 36 cells in blocks of 8: 3 x 5 blocks, those of rows 0-15 all flat and left out.
  EXPECT_EQ(chunks.size(), 9u);
  auto key = [](const TMeshVertex& v) { return std::make_tuple(v.x, v.y, v.z, v.s, v.t); };
  std::vector<std::tuple<double, double, double, float, float>> joined, expected;
  for (const TTerrainChunk& chunk : chunks) {
    EXPECT_EQ(chunk.triangles.size() % 3, 0u);
    EXPECT_LE(chunk.triangles.size(), 8u * 8u * 6u);
    for (const TMeshVertex& v : chunk.triangles) {
      joined.push_back(key(v));
      EXPECT_TRUE(v.x >= chunk.box.low.x && v.x <= chunk.box.high.x && v.y >= chunk.box.low.y &&
                  v.y <= chunk.box.high.y && v.z >= chunk.box.low.z && v.z <= chunk.box.high.z);
      // Each block keeps to its own cells.
      EXPECT_GE(v.x, chunk.firstColumn * 5.0);
      EXPECT_LE(v.x, (chunk.firstColumn + 8) * 5.0);
      EXPECT_LE(v.z, -chunk.firstRow * 5.0);
    }
  }
  for (const TMeshVertex& v : whole) expected.push_back(key(v));
  std::sort(joined.begin(), joined.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(joined, expected);
  EXPECT_TRUE(BuildTerrainChunks(t_rain{}).empty());
}

TEST(WorldChunks, BoxesAreDroppedOnlyWhenWhollyOutsideTheView) {
  TMatrix projection{}, modelview{};
  // gluPerspective(90, 1, 1, 100) and an eye at the origin looking down -z.
  projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0 / 99.0, -1, 0, 0, -200.0 / 99.0, 0};
  modelview = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const TFrustum view = FrustumOf(projection, modelview);
  auto box = [](double x0, double y0, double z0, double x1, double y1, double z1) {
    return TBox{{x0, y0, z0}, {x1, y1, z1}};
  };
  EXPECT_FALSE(BoxOutside(view, box(-1, -1, -10, 1, 1, -5))) << "ahead";
  EXPECT_TRUE(BoxOutside(view, box(-1, -1, 5, 1, 1, 10))) << "behind the eye";
  EXPECT_TRUE(BoxOutside(view, box(-1, -1, -300, 1, 1, -200))) << "beyond the far plane";
  EXPECT_TRUE(BoxOutside(view, box(20, -1, -10, 30, 1, -5))) << "right of the 90-degree view";
  EXPECT_FALSE(BoxOutside(view, box(9, -1, -10, 30, 1, -5))) << "straddles the right plane";
  EXPECT_FALSE(BoxOutside(view, box(-1000, -1000, -1000, 1000, 1000, 1000))) << "holds the view";
  // A box that touches a plane from outside is kept: a hole costs more than a block.
  EXPECT_FALSE(BoxOutside(view, box(10.0005, -1, -10, 12, 1, -10)));
  // A view that degenerates culls nothing.
  EXPECT_FALSE(BoxOutside(FrustumOf(TMatrix{}, modelview), box(5, 5, 5, 6, 6, 6)));
  EXPECT_FALSE(BoxOutside(view, Shifted(box(-1, -1, 5, 1, 1, 10), {0, 0, -12})));
}

TEST_F(WorldCulling, CulledBlocksDrawTheSamePictureAsEveryBlock) {
  auto map = HillMap();
  EXPECT_EQ(map->ChunkCount(), 25 - 4) << "71 x 71 cells in 16s, the flat corner's blocks left out";
  GLuint single = glGenLists(1);
  glNewList(single, GL_COMPILE);
  glPushMatrix();
  const T_point offset = TerrainOffset(map->Terrain());
  glTranslated(offset.x, offset.y, offset.z);
  EmitTerrainMesh(map->Terrain());
  glPopMatrix();
  glEndList();
  const TView views[] = {
      {0, 0, 0, {0, 210, 0}},          // the start of a race
      {90, 0, 0, {0, 3000, 0}},        // the whole field from above
      {20, 135, 0, {420, 120, 420}},   // across the field from a corner
      {-5, 250, 0, {-60, 40, 30}},     // low, between the hills, clipped by the near plane
      {35, 60, 25, {-300, 400, -200}}, // banked
      {-30, 10, 0, {0, 5, 800}},       // from outside the field, looking up at its edge
  };
  int culledViews = 0;
  for (const TView& view : views) {
    const std::vector<unsigned char> everything = Picture(view, [&] { map->DrawEverything(); });
    EXPECT_EQ(map->DrawnChunks(), map->ChunkCount());
    const std::vector<unsigned char> culled = Picture(view, [&] { map->Draw(); });
    if (map->DrawnChunks() < map->ChunkCount()) ++culledViews;
    const std::vector<unsigned char> oneList = Picture(view, [&] { glCallList(single); });
    EXPECT_TRUE(culled == everything) << "yaw " << view.yaw << ": " << map->DrawnChunks() << " blocks";
    // The blocks send the same triangles in another order than the one list did, which
    // shows only where two surfaces fall on the same depth value: a pixel or so, far off.
    EXPECT_LE(DifferingPixels(oneList, everything), 4) << "yaw " << view.yaw;
  }
  EXPECT_GE(culledViews, 4);
  glDeleteLists(single, 1);
}

TEST_F(WorldCulling, MostBlocksAreLeftOutFromTheStartOfARace) {
  // A field as big as the biggest course's: 190 x 190 cells of 20 units.
  WriteBmp24("track_data/big.bmp", HillHeights(191));
  TMap map("track_data/big.bmp", 1.0, 20.0, 560.0, "textures/ground.bmp", "textures/terrain.bmp",
           "textures/sky.bmp");
  auto startFrame = [&](bool cull) {
    TphysicEngine physics(1024, 768, {0, 200, 0}, T_bounding_box{}, TRing_tab{}, map.Terrain());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RaceProjection();
    glPushMatrix();
    glTranslated(0.0, -10.0, 0.0);
    physics.Update(1, 0, true);
    cull ? map.Draw() : map.DrawEverything();
    glPopMatrix();
    return ReadFrame();
  };
  const std::vector<unsigned char> culled = startFrame(true);
  const int drawn = map.DrawnChunks();
  EXPECT_EQ(map.ChunkCount(), 144 - 36) << "12 x 12 blocks, 6 x 6 of them flat";
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn * 4, map.ChunkCount()) << drawn << " of " << map.ChunkCount();
  EXPECT_TRUE(startFrame(false) == culled);
}

TEST_F(WorldCulling, TheTestsThatCanChangeThePictureStayOn) {
  auto map = HillMap();
  const TView above{90, 0, 0, {0, 3000, 0}};
  const std::vector<unsigned char> plain = Picture(above, [&] { map->Draw(); });
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && glIsEnabled(GL_ALPHA_TEST) && glIsEnabled(GL_STENCIL_TEST))
      << "what the terrain turned off is on again";
  const TRgb clear = {0, 0, 0};
  // A stencil test that fails everywhere leaves the frame clear.
  glStencilFunc(GL_EQUAL, 1, 0xFF);
  Picture(above, [&] { map->Draw(); });
  glStencilFunc(GL_ALWAYS, 0, 0xFF);
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 384), clear, 0));
  // So does an alpha test that refuses alpha 1.
  glAlphaFunc(GL_LESS, 0.5f);
  Picture(above, [&] { map->Draw(); });
  glAlphaFunc(GL_GEQUAL, 0.75f);
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 384), clear, 0));
  // A stencil update is kept: every drawn pixel counts.
  glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
  Picture(above, [&] { map->Draw(); });
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  unsigned char stencil = 0;
  glReadPixels(512, 384, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
  EXPECT_GE(stencil, 1);
  EXPECT_TRUE(Picture(above, [&] { map->Draw(); }) == plain);
}

TEST_F(WorldCulling, ATranslucentTerrainIsStillBlendedAndAlphaTested) {
  TImage half = MakeSolidImage(8, 8, {230, 20, 20, 128});
  WriteTga("textures/glass.tga", half, false);
  auto glass = HillMap("textures/glass.tga");
  auto solid = HillMap();
  const TView above{90, 0, 0, {0, 3000, 0}};
  // A raised point of the field seen from above: world x 150, z -150.
  const int x = 512 + 146, y = 384 - 146;
  Picture(above, [&] { solid->Draw(); });
  const TRgb terrain = ReadPixelTopLeft(x, y);
  EXPECT_GT(terrain.r, terrain.g + 30);
  Picture(above, [&] { glass->Draw(); });
  const TRgb throughGlass = ReadPixelTopLeft(x, y);
  EXPECT_FALSE(Near(terrain, throughGlass, 10)) << "the solid field shows its own texture";
  // Alpha 0.5 fails the game's alpha test (0.75 or more), so the ground shows instead.
  EXPECT_GT(throughGlass.g, throughGlass.r);
}

}  // namespace

// Whichever way the eye looks, the nearest blocks are drawn first: a pixel they cover is
// then not textured again for a block behind them. Culled or not, the order is the same.
TEST_F(WorldCulling, BlocksAreDrawnNearestFirst) {
  auto map = HillMap();
  const std::vector<TTerrainChunk> chunks = BuildTerrainChunks(map->Terrain());
  const std::vector<std::uint32_t> lists = map->Lists();  // the ground and sky, then each block
  ASSERT_EQ(lists.size(), chunks.size() + 1);
  const T_point offset = TerrainOffset(map->Terrain());
  const TView views[] = {
      {30, 0, 0, {-250, 500, 300}}, {30, 90, 0, {250, 500, -100}}, {30, 180, 0, {100, 500, -300}},
      {30, 270, 0, {-300, 500, 50}}, {90, 0, 0, {200, 3000, 200}},
  };
  for (const TView& view : views) {
    for (bool cull : {true, false}) {
      ApplyTestView(view);
      const T_point eye = EyeOf(CurrentModelview());
      cull ? map->Draw() : map->DrawEverything();
      double last = 0.0;
      for (std::uint32_t list : map->DrawnLists()) {
        const std::size_t block = std::find(lists.begin(), lists.end(), list) - lists.begin() - 1;
        ASSERT_LT(block, chunks.size());
        const double distance = BoxDistance(Shifted(chunks[block].box, offset), eye);
        EXPECT_GE(distance, last) << "yaw " << view.yaw << (cull ? ", culled" : "");
        last = distance;
      }
    }
  }
}
