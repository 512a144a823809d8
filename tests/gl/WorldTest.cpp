#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <stdexcept>
#include <tuple>

#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/MeshWriter.h"
#include "world/TerrainMesh.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace fs = std::filesystem;

namespace {

const TRgb kTerrainColour{200, 30, 30};
const TRgb kGroundColour{30, 200, 30};
const TRgb kSkyColour{30, 30, 200};

// A flat square of one colour facing +z, with a material of that colour.
TMeshData Square(const std::string& material, TMeshColour colour, double half) {
  TMeshData mesh;
  mesh.vertices = {{-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}};
  mesh.normals = {{0, 0, 1}};
  mesh.groups.push_back({"g", material, {{{0, 1, 2, 3}, {0, 0, 0, 0}, {}}}});
  mesh.materials.push_back({material, colour, colour, {}, 0.0});
  return mesh;
}

// Content of the world's own, written into a scratch folder that becomes the working
// directory for the test: textures, meshes, HUD pictures and a heightmap whose
// columns 0-15 of rows 0-15 stand 100 high.
class WorldGl : public testing::Test {
 protected:
  void SetUp() override {
    FreshGlPlatform();
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / "velmora_world_gl";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    WriteBmp24("textures/terrain.bmp", Solid(kTerrainColour));
    WriteBmp24("textures/ground.bmp", Solid(kGroundColour));
    WriteBmp24("textures/sky.bmp", Solid(kSkyColour));
    WriteMesh("mesh/anneau.obj", Square("ring", {1, 1, 0}, 20));
    WriteMesh("mesh/ring_caught.obj", Square("caught", {1, 0, 1}, 20));
    WriteMesh("mesh/fleche.obj", Square("arrow", {0, 1, 1}, 2));
    WriteTga("img/timer.tga", Solid({90, 90, 90}), false);
    WriteTga("img/lanternes_score.tga", Solid({60, 60, 60}), false);
    for (int d = 0; d < 10; ++d) {
      WriteTga("img/timer_numbers_/" + std::to_string(d) + ".tga", Solid(DigitColour(d)), false);
      WriteTga("img/score_numbers_/" + std::to_string(d) + ".tga", Solid(DigitColour(d)), true);
    }
    TImage heights = MakeSolidImage(32, 32, {0, 0, 0});
    for (int row = 0; row < 16; ++row) {
      for (int col = 0; col < 16; ++col) heights.pixels[(row * 32 + col) * 3 + 2] = 100;
    }
    WriteBmp24("track_data/map.bmp", heights);
  }

  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  static std::unique_ptr<TMap> MakeMap(const std::string& path = "track_data/map.bmp", double accuracy = 1.0) {
    return std::make_unique<TMap>(path, accuracy, 10.0, 255.0, "textures/ground.bmp",
                                  "textures/terrain.bmp", "textures/sky.bmp");
  }

  // The race's projection; the modelview is left at identity.
  static void RaceView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(15.0, 4.0 / 3.0, 10.0, 100000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Straight down from 3000 units: screen up is world -z, screen right world +x.
  static void LookDown() {
    RaceView();
    glRotated(90.0, 1.0, 0.0, 0.0);
    glTranslated(0.0, -3000.0, 0.0);
  }

  static GLint StackDepth() {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
  }

  fs::path previous_;
  fs::path dir_;
};

// The old way of building the height field: a bind and a primitive for every triangle.
void EmitPerTriangle(const t_rain& terrain) {
  glDisable(GL_LIGHTING);
  glColor3f(1, 1, 1);
  std::vector<TMeshVertex> v = BuildTerrainTriangles(terrain);
  for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
    glBindTexture(GL_TEXTURE_2D, terrain.terrainTexture);
    glBegin(GL_TRIANGLES);
    for (std::size_t k = i; k < i + 3; ++k) {
      glTexCoord2f(v[k].s, v[k].t);
      glVertex3d(v[k].x, v[k].y, v[k].z);
    }
    glEnd();
  }
  EmitGroundAndSky(MeshRows(terrain), MeshCols(terrain), terrain.groundTexture, terrain.skyTexture);
  glEnable(GL_LIGHTING);
}

}  // namespace

TEST_F(WorldGl, TerrainShowsTheHeightFieldOverTheGroundUnderTheSky) {
  auto map = MakeMap();
  EXPECT_EQ(map->Terrain().Rows(), 32);
  EXPECT_NE(map->Terrain().terrainTexture, 0u);
  LookDown();
  GLint depth = StackDepth();
  map->Draw();
  EXPECT_EQ(StackDepth(), depth);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  // The raised block (x -160..-10, z 10..160) lies left and below the centre.
  EXPECT_TRUE(Near(ReadPixelTopLeft(430, 470), kTerrainColour));
  EXPECT_TRUE(Near(ReadPixelTopLeft(600, 300), kGroundColour)) << "cells at height 0";
  EXPECT_TRUE(Near(ReadPixelTopLeft(900, 384), kGroundColour)) << "beyond the grid";
  // Looking ahead from 200 high: sky above, ground below.
  RaceView();
  glTranslated(0.0, -200.0, 0.0);
  map->Draw();
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 20), kSkyColour));
  EXPECT_TRUE(Near(ReadPixelTopLeft(100, 760), kGroundColour));
}

// The side walls of the sky box each show the picture's rows from first to last along
// the wall, so at a corner one wall's last row meets the next wall's first, or two last
// rows meet. Read repeating, the pixels by the corner would blend in the other end of the
// picture and draw a thin line down the sky; the walls end on their own edge texels
// instead. A red first half and a blue second half make any such blend purple.
TEST_F(WorldGl, WhereTwoSkyWallsMeetNoLineOfTheFarEdgeShows) {
  TImage halves = MakeSolidImage(16, 16, {200, 0, 0});
  for (std::size_t i = halves.pixels.size() / 2; i < halves.pixels.size(); i += 3) {
    halves.pixels[i] = 0;
    halves.pixels[i + 2] = 200;
  }
  WriteBmp24("textures/sky.bmp", halves);
  auto map = MakeMap();
  const T_point offset = TerrainOffset(map->Terrain());
  const TSkyBounds box = SkyBounds(MeshRows(map->Terrain()), MeshCols(map->Terrain()));
  // The corner where a last row meets a first, then the one where two last rows meet.
  for (const auto& [x, z, twoColours] : {std::tuple{box.x1, box.z1, true}, std::tuple{box.x0, box.z1, false}}) {
    // Level, from 200 above the terrain's centre, facing the corner: it runs down the
    // middle of the upper half, a wall on each side.
    const double dx = x + offset.x, dz = z + offset.z;
    RaceView();
    glRotated(std::atan2(-dx, dz) * 180.0 / std::numbers::pi + 180.0, 0.0, 1.0, 0.0);
    glTranslated(0.0, -200.0, 0.0);
    map->Draw();
    int purple = 0, red = 0, blue = 0;
    for (int column = 462; column < 562; ++column) {
      const TRgb c = ReadPixelTopLeft(column, 150);
      purple += c.r > 40 && c.b > 40 ? 1 : 0;
      red += c.r > 150 && c.b < 20 ? 1 : 0;
      blue += c.b > 150 && c.r < 20 ? 1 : 0;
    }
    EXPECT_EQ(purple, 0) << "corner " << x << ", " << z;
    EXPECT_EQ(red + blue, 100) << "corner " << x << ", " << z;
    EXPECT_EQ(red > 0 && blue > 0, twoColours) << "corner " << x << ", " << z;
  }
}

TEST_F(WorldGl, OneBindDrawsTheSamePictureAsABindPerTriangle) {
  auto map = MakeMap();
  LookDown();
  glRotated(20.0, 1.0, 0.0, 0.0);  // some slope in the view
  map->Draw();
  std::vector<unsigned char> ours = ReadFrame();
  GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glPushMatrix();
  T_point offset = TerrainOffset(map->Terrain());
  glTranslated(offset.x, offset.y, offset.z);
  EmitPerTriangle(map->Terrain());
  glPopMatrix();
  glEndList();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glCallList(list);
  EXPECT_TRUE(ours == ReadFrame());
  glDeleteLists(list, 1);
}

TEST_F(WorldGl, TerrainWithoutSamplesDrawsGroundAndSkyOnly) {
  TImage eightBit = MakeSolidImage(4, 4, {0, 0, 0});
  TBytes bytes = MakeBmp24(eightBit);
  bytes[28] = 8;
  WriteBytesToFile("track_data/eight.bmp", bytes);
  testing::internal::CaptureStdout();
  auto map = MakeMap("track_data/eight.bmp");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid bmp file. Must be 24bpp and not 8\n");
  EXPECT_TRUE(map->Terrain().Empty());
  LookDown();
  map->Draw();
  EXPECT_TRUE(Near(ReadPixelTopLeft(430, 470), kGroundColour));

  testing::internal::CaptureStdout();
  auto invalid = MakeMap("track_data/map.bmp", 0.0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "error : accurcy is invalid!\n");
  EXPECT_TRUE(invalid->Terrain().Empty());
  EXPECT_EQ(invalid->Terrain().terrainTexture, 0u) << "no textures either";
  invalid->Draw();
  // The physics and the course take it as a terrain without cells.
  TphysicEngine physics(1024, 768, {0, 200, 0}, T_bounding_box{}, TRing_tab{}, invalid->Terrain());
  GlPlatform().input.keys = {wnd::KEY_SPACE};
  physics.Update(1, 0, false);
  EXPECT_EQ(physics.Speed(1), 4.0);
  Ttrack generated(invalid->Terrain(), T_bounding_box{});
  EXPECT_EQ(generated.RingCount(), 0);
}

TEST_F(WorldGl, MissingHeightmapNamesTheFile) {
  try {
    MakeMap("track_data/nowhere.bmp");
    ADD_FAILURE() << "a missing heightmap must raise";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("nowhere.bmp"), std::string::npos);
  }
  TMap defaults("track_data/map.bmp");  // form 1: accuracy 0.5, cell 10, height 110
  EXPECT_EQ(defaults.Terrain().Rows(), 16);
  EXPECT_EQ(defaults.MaxHeight(), 110.0);
  EXPECT_EQ(defaults.Terrain().skyTexturePath, "textures/texture_sky.jpg");
}

TEST_F(WorldGl, CourseDrawsTheCurrentRingThenTheCaughtMesh) {
  auto map = MakeMap();
  TRing_tab rings(2);
  rings[0].origin = {0, 0, -500};
  rings[0].caught = true;  // cleared by the course
  rings[1].origin = {300, 0, -900};  // out of the view
  Ttrack track(rings, map->Terrain(), T_bounding_box{});
  EXPECT_FALSE(track.Rings()[0].caught);
  auto centre = [&](T_point player) {
    RaceView();
    track.UpdateAndDraw(player);
    return ReadPixelTopLeft(512, 384);
  };
  TRgb ring = centre({0, 0, 0});
  // Lit yellow and lit magenta: told apart by which of green and blue is stronger.
  EXPECT_GT(ring.r, 60);
  EXPECT_GT(ring.g, ring.b + 20) << "the ring mesh";
  TRgb catching = centre({0, 0, -490});
  EXPECT_EQ(track.CaughtCount(), 1);
  EXPECT_LT(catching.r + catching.g + catching.b, 40) << "neither mesh in the frame that catches it";
  TRgb caught = centre({0, 0, 0});
  EXPECT_GT(caught.r, 60);
  EXPECT_GT(caught.b, caught.g + 20) << "the caught-ring mesh";
  GLint depth = StackDepth();
  track.UpdateAndDraw({0, 0, 0});
  EXPECT_EQ(StackDepth(), depth);
}

TEST_F(WorldGl, PhysicsReadsTheKeysAndAppliesTheView) {
  auto map = MakeMap();
  TphysicEngine physics(1024, 768, {0, 200, 0}, {20, 200, 0}, T_bounding_box{}, TRing_tab{},
                        map->Terrain());
  TScriptedGlPlatform& p = GlPlatform();
  p.input.keys = {wnd::KEY_SPACE, wnd::KEY_RIGHT};
  glLoadIdentity();
  physics.Update(1, 0, false);
  EXPECT_EQ(physics.Speed(1), 5.0);
  EXPECT_EQ(physics.Rotation(1).y, 2.0);
  EXPECT_EQ(physics.Speed(2), 4.0);
  // No bob while flying: rotate by the yaw, then translate by the position.
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  T_point pos = physics.Position(1);
  EXPECT_NEAR(pos.z, 4.0 * std::cos(2.0 * std::numbers::pi / 180), 1e-9);
  EXPECT_NEAR(m[14], -std::sin(2.0 * std::numbers::pi / 180) * pos.x + std::cos(2.0 * std::numbers::pi / 180) * pos.z, 1e-4);
  EXPECT_NEAR(m[13], -200.0, 1e-3);
  p.input.keys = {'F'};
  glLoadIdentity();
  physics.Update(2, 0, false);
  EXPECT_EQ(physics.Speed(2), 5.0);
  EXPECT_EQ(physics.Position(2).x, -20.0);
  p.input.keys = {};
  glLoadIdentity();
  physics.Update(1, 0, false);  // coasting: idle, so the view bobs
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_NEAR(m[13], -200.0 + 1.5 * std::cos(0.1), 1e-3);
  glLoadIdentity();
}

TEST_F(WorldGl, HudShowsScoreTimeAndArrow) {
  TInterface hud(120, 1024, 768);
  RaceView();
  TCompassData compass;
  compass.target = {0, 0, -100};
  GLint depth = StackDepth();
  hud.DrawFrame(compass, 3, false, 7);
  EXPECT_EQ(StackDepth(), depth);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(hud.ScoreSlots(), (TDigits_array{0, 0, 1, 5, 0}));
  const int scoreX[5] = {-454, -397, -340, -283, -226};
  for (int slot = 0; slot < 5; ++slot) {
    TRgb got = ReadPixelTopLeft(512 + scoreX[slot], 384 - 314);
    EXPECT_TRUE(Near(got, DigitColour(hud.ScoreSlots()[slot]), 6)) << "score slot " << slot;
  }
  EXPECT_TRUE(Near(ReadPixelTopLeft(512 - 63, 384 - 328), DigitColour(0), 6));
  EXPECT_TRUE(Near(ReadPixelTopLeft(512 - 24, 384 - 328), DigitColour(7), 6));
  EXPECT_TRUE(Near(ReadPixelTopLeft(512 + 80, 384 - 300), {90, 90, 90}, 6)) << "timer panel";
  EXPECT_TRUE(Near(ReadPixelTopLeft(512 - 182, 384 - 360), {60, 60, 60}, 6)) << "lantern panel";

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  hud.DrawFrame(compass, 0, false, -1);
  EXPECT_EQ(hud.TimerSlots(), (TDigits_array{0, 0})) << "out of time shows 00";
  EXPECT_TRUE(Near(ReadPixelTopLeft(512 - 24, 384 - 328), DigitColour(0), 6));
}

TEST_F(WorldGl, ArrowStandsLowerInTheSplitLayout) {
  TInterface hud(0, 1024, 768);
  TCompassData compass;
  compass.target = {0, 0, -100};
  // Lowest row of the arrow's pixels right of the timer digits: cyan has no red.
  auto lowestArrowRow = [&](bool split) {
    RaceView();
    hud.DrawFrame(compass, 0, split, 0);
    int lowest = -1;
    for (int y = 0; y < 200; ++y) {
      for (int x = 515; x < 600; x += 3) {
        TRgb c = ReadPixelTopLeft(x, y);
        if (c.r < 40 && c.g > 40) lowest = y;
      }
    }
    return lowest;
  };
  int full = lowestArrowRow(false);
  int split = lowestArrowRow(true);
  EXPECT_GT(full, 0) << "the arrow is drawn";
  EXPECT_GT(split, full + 10);
  // The score digits can be drawn by others with the HUD's images.
  TDigits_array slots(5);
  TInterface::DrawNumber(98765, slots, hud.ScoreDigits(), kScoreSpacing);
  EXPECT_EQ(slots, (TDigits_array{9, 8, 7, 6, 5}));
}
