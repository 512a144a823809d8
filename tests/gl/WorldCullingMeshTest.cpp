// The race's meshes cost less to draw (their faces batched into triangles, the tests that
// cannot change an opaque mesh left out) and still show the same picture.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "renderer/RingDraw.h"
#include "renderer/ULoaderObj.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"

namespace fs = std::filesystem;

namespace {

// A mesh's list sets its materials through the current colour, so what it shows depends
// a little on the colour state it starts from: every picture starts from the same.
void StartColourState() {
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f}, diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

// The craft's place in front of the eye, turned so that its sides catch the light.
std::vector<unsigned char> Picture(const std::function<void()>& draw) {
  StartColourState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0.0, -1.0, -40.0);
  glRotated(25.0, 1.0, 0.0, 0.0);
  glRotated(35.0, 0.0, 1.0, 0.0);
  draw();
  return ReadFrame();
}

// The mesh as every face its own polygon, in a list of its own.
std::vector<unsigned char> PolygonPicture(const TObj& mesh) {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  CompilePolygons(mesh.Data());
  glEndList();
  std::vector<unsigned char> picture = Picture([&] { glCallList(list); });
  glDeleteLists(list, 1);
  return picture;
}

int LitPixels(const std::vector<unsigned char>& frame) {
  int lit = 0;
  for (std::size_t i = 0; i + 3 < frame.size(); i += 4) lit += (frame[i] | frame[i + 1] | frame[i + 2]) ? 1 : 0;
  return lit;
}

class WorldCullingMesh : public testing::Test {
 protected:
  void SetUp() override {
    FreshGlPlatform();
    dir_ = fs::temp_directory_path() / "velmora_culling_mesh";
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // A box of quads with a pentagon front, and a roof of triangles and a quad, under two
// materials.
  std::string WriteBlock(const std::string& name, const std::string& corners, const std::string& mtl) {
    std::string obj =
        "v -4 -2 -3\nv 4 -2 -3\nv 4 2 -3\nv -4 2 -3\nv -4 -2 3\nv 4 -2 3\nv 4 2 3\nv -4 2 3\nv 0 3 0\n"
        "v 0 -3 3\n"
        "vn 0 0 -1\nvn 0 0 1\nvn -1 0 0\nvn 1 0 0\nvn 0 1 0\nvn 0 -1 0\n"
        "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    obj += "g hull\nusemtl red\n" + corners;
    obj += "g top\nusemtl blue\nf 4//5 3//5 9//5\nf 8//5 9//5 3//5 7//5\nf 4//5 9//5 8//5\n";
    WriteTextToFile(Path(name + ".obj"), obj);
    WriteTextToFile(Path(name + ".mtl"), mtl);
    return Path(name + ".obj");
  }

  fs::path dir_;
};

const char* const kLitMaterials =
    "newmtl red\nKa 0.3 0.05 0.05\nKd 0.9 0.2 0.1\nKs 0.6 0.6 0.6\nNs 40\n"
    "newmtl blue\nKa 0.05 0.05 0.3\nKd 0.1 0.3 0.9\nKs 0.2 0.2 0.2\nNs 10\n";

const char* const kHullFaces =
    "f 1//1 2//1 3//1 4//1\nf 5//2 10//2 6//2 7//2 8//2\nf 1//3 4//3 8//3 5//3\nf 2//4 6//4 7//4 3//4\n"
    "f 1//6 5//6 6//6 2//6\n";

TEST_F(WorldCullingMesh, BatchedTrianglesShowWhatThePolygonsShowed) {
  const TObj block(WriteBlock("block", kHullFaces, kLitMaterials));
  EXPECT_TRUE(block.Opaque());
  const std::vector<unsigned char> batched = Picture([&] { block.Draw(); });
  EXPECT_GT(LitPixels(batched), 5000) << "the block is in view";
  EXPECT_TRUE(batched == PolygonPicture(block));
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && glIsEnabled(GL_ALPHA_TEST) && glIsEnabled(GL_STENCIL_TEST))
      << "what the mesh turned off is on again";

  // A corner without its normal takes the last one given before it (here the back's
  // last, pointing up, which lights the front): such a mesh keeps its polygons.
  const TObj mixed(WriteBlock("mixed", "f 1//6 2//6 3//6 4//5\nf 5 10 6 7 8\nf 1//3 4//3 8//3 5//3\n", kLitMaterials));
  EXPECT_TRUE(mixed.Opaque());
  EXPECT_TRUE(Picture([&] { mixed.Draw(); }) == PolygonPicture(mixed));
}

TEST_F(WorldCullingMesh, ShippedMeshesLookTheSameBatched) {
  int compared = 0;
  for (const char* name : {"mesh/reduce-dash2.obj", "mesh/brisel reduce-dash.obj", "mesh/anneau.obj",
                           "mesh/ring_caught.obj", "mesh/fleche.obj"}) {
    if (!fs::exists(name)) continue;  // the content is built beside the game
    const TObj mesh(name);
    EXPECT_TRUE(mesh.Opaque()) << name;
    const std::vector<unsigned char> batched = Picture([&] {
      glScaled(0.3, 0.3, 0.3);
      mesh.Draw();
    });
    EXPECT_GT(LitPixels(batched), 500) << name;
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    CompilePolygons(mesh.Data());
    glEndList();
    EXPECT_TRUE(batched == Picture([&] {
      glScaled(0.3, 0.3, 0.3);
      glCallList(list);
    })) << name;
    glDeleteLists(list, 1);
    ++compared;
  }
  if (compared == 0) GTEST_SKIP() << "no shipped meshes in " << fs::current_path();
}

TEST_F(WorldCullingMesh, MeshesThatMayBeTranslucentKeepBlendingAndTheAlphaTest) {
  // A picture of alpha 0.5 fails the game's alpha test (0.75 or more): nothing shows.
  WriteTga(Path("glass.tga"), MakeSolidImage(4, 4, {200, 200, 200, 128}), false);
  const std::string glassMtl = std::string(kLitMaterials) + "map_Kd glass.tga\n";
  const TObj glass(WriteBlock("glass", "f 1/1/1 2/2/1 3/3/1 4/4/1\nf 5/1/2 8/2/2 7/3/2 6/4/2\n", glassMtl));
  EXPECT_FALSE(glass.Opaque());
  const std::vector<unsigned char> seen = Picture([&] { glass.Draw(); });
  const std::vector<unsigned char> alone = Picture([&] {
    glDisable(GL_ALPHA_TEST);
    glass.Draw();
    glEnable(GL_ALPHA_TEST);
  });
  EXPECT_LT(LitPixels(seen), LitPixels(alone)) << "the glass faces are refused by the alpha test";
  // Faces drawn before any material take the caller's colour, whatever its alpha.
  WriteTextToFile(Path("plain.obj"), "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n");
  WriteTextToFile(Path("plain.mtl"), "");
  EXPECT_FALSE(TObj(Path("plain.obj")).Opaque());
}

}  // namespace

namespace {

// Fragments a draw makes, hidden ones included: counted with the depth and alpha tests off.
GLuint FragmentsMade(const std::function<void()>& draw) {
  GLuint query = 0, made = 0;
  glGenQueries(1, &query);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  Picture([&] {
    glBeginQuery(GL_SAMPLES_PASSED, query);
    draw();
    glEndQuery(GL_SAMPLES_PASSED);
  });
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &made);
  glDeleteQueries(1, &query);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_ALPHA_TEST);
  return made;
}

int DifferingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    count += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
  }
  return count;
}

}  // namespace

// A ring is a closed tube: drawn with its far half culled it shows what the whole mesh
// shows (but for a pixel or two on its outline, which the fill rule hands over), from any
// side, for far fewer fragments.
TEST_F(WorldCullingMesh, ShippedRingsShowTheSamePictureWithTheirFarHalfCulled) {
  if (!fs::exists("mesh/anneau.obj") || !fs::exists("mesh/ring_caught.obj")) {
    GTEST_SKIP() << "no shipped rings in " << fs::current_path();
  }
  const TRingDraw rings("mesh/anneau.obj", "mesh/ring_caught.obj");
  for (bool caught : {false, true}) {
    const TObj whole(caught ? "mesh/ring_caught.obj" : "mesh/anneau.obj");
    for (const T_point turn : {T_point{0, 0, 0}, T_point{60, 0, 0}, T_point{0, 170, 0}, T_point{-35, 250, 0}}) {
      TRing ring;
      ring.rotation = turn;
      ring.scale = 0.4;
      auto wholeMesh = [&] {
        glScaled(ring.scale, ring.scale, ring.scale);
        glRotated(turn.y, 0.0, 1.0, 0.0);
        glRotated(turn.x, 1.0, 0.0, 0.0);
        whole.Draw();
      };
      const std::vector<unsigned char> expected = Picture(wholeMesh);
      const std::vector<unsigned char> culled = Picture([&] { rings.Draw(ring, caught); });
      EXPECT_GT(LitPixels(expected), 2000) << "in view";
      EXPECT_LE(DifferingPixels(expected, culled), 24) << "caught " << caught << " turn " << turn.x << "," << turn.y;
      EXPECT_LT(FragmentsMade([&] { rings.Draw(ring, caught); }) * 10, FragmentsMade(wholeMesh) * 6)
          << "caught " << caught << " turn " << turn.x << "," << turn.y;
    }
  }
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "only the rings are culled";
}

// The crafts are closed hulls too: the race draws them with their far side culled, and
// they look the same from every side.
TEST_F(WorldCullingMesh, ShippedCraftsShowTheSamePictureWithTheirFarSideCulled) {
  int compared = 0;
  for (const char* name : {"mesh/reduce-dash2.obj", "mesh/brisel reduce-dash.obj"}) {
    if (!fs::exists(name)) continue;  // the content is built beside the game
    const TObj craft(name);
    for (const double turn : {0.0, 90.0, 180.0, 250.0}) {
      auto place = [&] {
        glScaled(0.6, 0.6, 0.6);
        glRotated(turn, 0.0, 1.0, 0.0);
      };
      Picture([&] { place(); craft.Draw(); });  // the materials' colour state settles
      const std::vector<unsigned char> whole = Picture([&] { place(); craft.Draw(); });
      const std::vector<unsigned char> culled = Picture([&] { place(); craft.DrawClosed(); });
      EXPECT_GT(LitPixels(whole), 2000) << name;
      EXPECT_LE(DifferingPixels(whole, culled), 24) << name << " turned " << turn;
      EXPECT_LT(FragmentsMade([&] { place(); craft.DrawClosed(); }) * 10,
                FragmentsMade([&] { place(); craft.Draw(); }) * 7)
          << name << " turned " << turn;
    }
    ++compared;
  }
  if (compared == 0) GTEST_SKIP() << "no shipped crafts in " << fs::current_path();
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}
