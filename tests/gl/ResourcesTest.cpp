// What a race loads into the GL (textures, display lists) goes back when its objects are
// destroyed, so that a session of many races does not grow.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "modes/RaceCore.h"
#include "modes/RaceScene.h"
#include "platform/Window.h"
#include "renderer/Textures.h"
#include "renderer/ULoaderObj.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace fs = std::filesystem;

namespace {

// A textured quad mesh: its material loads a picture of its own.
void WriteTexturedMesh(const std::string& obj, const std::string& picture) {
  const std::string base = obj.substr(0, obj.size() - 4);
  WriteTextToFile(obj,
                  "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                  "g body\nusemtl skin\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"
                  "g wing\nusemtl paint\nf 1/1/1 3/3/1 4/4/1\n");
  WriteTextToFile(base + ".mtl", "newmtl skin\nKd 1 1 1\nmap_Kd " + picture +
                                     "\nnewmtl paint\nKd 0.2 0.4 0.9\nmap_Kd " + picture + "\n");
}

// Texture and list names alive in the context. The GL hands out names above the highest
// one in use, so a fresh name bounds the search.
struct TLiveNames {
  int textures = 0;
  int lists = 0;
};

TLiveNames CountLiveNames() {
  GLuint probe = 0;
  glGenTextures(1, &probe);
  glBindTexture(GL_TEXTURE_2D, probe);
  const GLuint listProbe = glGenLists(1);
  TLiveNames live;
  for (GLuint name = 1; name < probe; ++name) live.textures += glIsTexture(name) ? 1 : 0;
  for (GLuint name = 1; name < listProbe; ++name) live.lists += glIsList(name) ? 1 : 0;
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &probe);
  glDeleteLists(listProbe, 1);
  return live;
}

// The content of a race, written into a scratch folder that is the working directory.
class Resources : public testing::Test {
 protected:
  void SetUp() override {
    FreshGlPlatform();
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / "velmora_resources_gl";
    fs::remove_all(dir_);
    fs::current_path(fs::temp_directory_path());
    const TImage solid = MakeSolidImage(8, 8, {120, 90, 60});
    for (const char* path : {"textures/ground.bmp", "textures/terrain.bmp", "textures/sky.bmp"}) {
      WriteBmp24((dir_ / path).string(), solid);
    }
    WriteTga((dir_ / "mesh/skin.tga").string(), MakeSolidImage(4, 4, {200, 30, 30, 255}), false);
    for (const char* mesh : {"mesh/craft.obj", "mesh/anneau.obj", "mesh/ring_caught.obj", "mesh/fleche.obj"}) {
      WriteTexturedMesh((dir_ / mesh).string(), "skin.tga");
    }
    WriteTga((dir_ / "img/timer.tga").string(), MakeSolidImage(8, 8, {90, 90, 90, 255}), false);
    WriteTga((dir_ / "img/lanternes_score.tga").string(), MakeSolidImage(8, 8, {60, 60, 60, 255}), false);
    for (int d = 0; d < 10; ++d) {
      const TImage digit = MakeSolidImage(4, 8, {static_cast<std::uint8_t>(d * 20), 40, 40, 255});
      WriteTga((dir_ / ("img/timer_numbers_/" + std::to_string(d) + ".tga")).string(), digit, false);
      WriteTga((dir_ / ("img/score_numbers_/" + std::to_string(d) + ".tga")).string(), digit, false);
    }
    TImage heights = MakeSolidImage(80, 80, {0, 0, 0});
    for (std::size_t i = 2; i < heights.pixels.size(); i += 3) heights.pixels[i] = static_cast<std::uint8_t>(i % 250);
    WriteBmp24((dir_ / "track_data/map.bmp").string(), heights);
    fs::current_path(dir_);
  }

  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  fs::path previous_;
  fs::path dir_;
};

// What the race scene builder makes of this folder's content: a generated course.
TRaceSceneRecipe SceneRecipe() {
  TRaceSceneRecipe recipe = SceneOfHeightmap("track_data/map.bmp", [] { return wnd::Random(); });
  recipe.craftMeshes = {"mesh/craft.obj"};
  t_rain terrain;
  terrain.accuracy = 1.0;
  terrain.cellSize = 10.0;
  terrain.maxHeight = 255.0;
  terrain.groundTexturePath = "textures/ground.bmp";
  terrain.terrainTexturePath = "textures/terrain.bmp";
  terrain.skyTexturePath = "textures/sky.bmp";
  recipe.terrain = terrain;
  recipe.hudWidth = 1024;
  recipe.hudHeight = 768;
  return recipe;
}

// The parts of one race, built as the game builds them and drawn once.
struct TRaceSet {
  TRaceScene scene = BuildRaceScene(SceneRecipe());
  std::unique_ptr<TObj>& craft = scene.craft;
  std::unique_ptr<TMap>& map = scene.map;
  std::unique_ptr<Ttrack>& track = scene.track;
  std::unique_ptr<TInterface>& hud = scene.hud;
  TRaceCore race{scene.Setup(TRaceKind::kTimeAttack, 30)};

  void DrawFrame() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    craft->Draw();
    glPushMatrix();
    ApplyView(race.StartFrame(TRaceInput{}).passes[0].view);
    map->Draw();
    track->UpdateAndDraw({0, 1e6, 0});
    glPopMatrix();
    hud->DrawFrame(TCompassData{}, track->CaughtCount(), false, 30);
    glFinish();
  }

  // Every name that the objects show.
  std::vector<GLuint> Textures() const {
    std::vector<GLuint> names = {map->Terrain().groundTexture, map->Terrain().terrainTexture,
                                 map->Terrain().skyTexture, hud->TimerPanel().texture, hud->LanternPanel().texture};
    for (const t_rec_mtl& material : craft->Data().materials) names.push_back(material.texture);
    for (const TImg& digit : hud->ScoreDigits()) names.push_back(digit.texture);
    for (const TImg& digit : hud->TimerDigits()) names.push_back(digit.texture);
    return names;
  }
  std::vector<GLuint> Lists() const {
    std::vector<GLuint> names = map->Lists();
    names.push_back(craft->List());
    names.push_back(hud->PanelList());
    return names;
  }
};

TEST_F(Resources, RacesBuiltAndDestroyedLeaveNoTexturesOrListsBehind) {
  const TLiveNames before = CountLiveNames();
  std::vector<GLuint> textures, lists;
  for (int race = 0; race < 6; ++race) {
    auto set = std::make_unique<TRaceSet>();
    set->DrawFrame();
    const TLiveNames during = CountLiveNames();
    // 3 terrain and the far blocks' two shrunk copies, 22 HUD and 2 pictures in each of
    // the four meshes; the ground and sky, each block at full detail and at steps 2 and
    // 4 (a race draws far blocks coarser), the four meshes and the HUD's panel.
    EXPECT_EQ(during.textures - before.textures, 5 + 22 + 4 * 2);
    EXPECT_EQ(during.lists - before.lists, 1 + 3 * set->map->ChunkCount() + 4 + 1);
    textures = set->Textures();
    lists = set->Lists();
    for (GLuint name : textures) ASSERT_TRUE(glIsTexture(name)) << name;
    for (GLuint name : lists) ASSERT_TRUE(glIsList(name)) << name;
    set.reset();
    for (GLuint name : textures) EXPECT_FALSE(glIsTexture(name)) << "texture " << name << ", race " << race;
    for (GLuint name : lists) EXPECT_FALSE(glIsList(name)) << "list " << name << ", race " << race;
    const TLiveNames after = CountLiveNames();
    EXPECT_EQ(after.textures, before.textures) << "race " << race;
    EXPECT_EQ(after.lists, before.lists) << "race " << race;
  }
}

TEST_F(Resources, AConstructionThatFailsGivesBackWhatItHadLoaded) {
  const TLiveNames before = CountLiveNames();
  EXPECT_THROW(TMap("track_data/nowhere.bmp", 1.0, 10.0, 255.0, "textures/ground.bmp", "textures/terrain.bmp",
                    "textures/sky.bmp"),
               std::runtime_error);
  fs::remove("mesh/fleche.obj");
  EXPECT_THROW(TInterface(0, 1024, 768), std::runtime_error);
  fs::remove("mesh/ring_caught.obj");
  TMap map("track_data/map.bmp", 1.0, 10.0, 255.0, "textures/ground.bmp", "textures/terrain.bmp", "textures/sky.bmp");
  const TLiveNames withMap = CountLiveNames();
  EXPECT_THROW(Ttrack(map.Terrain(), T_bounding_box{}), std::runtime_error);
  const TLiveNames after = CountLiveNames();
  EXPECT_EQ(after.textures, withMap.textures) << "the ring mesh loaded first is given back";
  EXPECT_EQ(after.lists, withMap.lists);
  EXPECT_EQ(withMap.textures - before.textures, 3);
}

// A loaded texture goes back once; a name of 0 is never given to the GL.
TEST_F(Resources, ReleasingATextureClearsTheName) {
  std::uint32_t texture = 0;
  ASSERT_TRUE(LoadTexture("textures/sky.bmp", texture));
  const std::uint32_t name = texture;
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_FALSE(TextureHasAlpha(texture));
  ReleaseTexture(texture);
  EXPECT_EQ(texture, 0u);
  EXPECT_FALSE(glIsTexture(name));
  ReleaseTexture(texture);
  std::uint32_t alpha = 0;
  ASSERT_TRUE(LoadTexture("mesh/skin.tga", alpha));
  EXPECT_TRUE(TextureHasAlpha(alpha));
  ReleaseTexture(alpha);
}

}  // namespace
