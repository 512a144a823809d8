// Where a player's own craft is drawn: whole inside its half of the split screen.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "assets/ULoaderObj.h"
#include "modes/Uworld.h"
#include "tests/gl/GlTestSupport.h"

namespace {

struct CraftViewTest : ::testing::Test {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
};

// Rows of the 1024 x 384 half from its top, each with the count of pixels that are not
// the black it was cleared to.
std::vector<int> LitRowsOfHalf(int bottom) {
  std::vector<unsigned char> rgba(1024 * 384 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, bottom, 1024, 384, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<int> rows(384, 0);
  for (int y = 0; y < 384; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const unsigned char* p = &rgba[(static_cast<std::size_t>(383 - y) * 1024 + x) * 4];
      if (p[0] + p[1] + p[2] > 0) ++rows[static_cast<std::size_t>(y)];
    }
  }
  return rows;
}

TEST_F(CraftViewTest, EachSplitScreenCraftShowsWholeInItsHalf) {
  const TObj crafts[2] = {TObj("mesh/reduce-dash2.obj"), TObj("mesh/brisel reduce-dash.obj")};
  for (int player = 1; player <= 2; ++player) {
    const int bottom = player == 1 ? 384 : 0;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, bottom, 1024, 384);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    TTwoPlayers::DrawSplitOwnCraft(crafts[player - 1], player);
    const std::vector<int> rows = LitRowsOfHalf(bottom);
    int lit = 0, lowest = -1;
    for (int y = 0; y < 384; ++y) {
      lit += rows[static_cast<std::size_t>(y)];
      if (rows[static_cast<std::size_t>(y)] > 0) lowest = y;
    }
    EXPECT_GT(lit, 2000) << "player " << player << "'s craft is drawn";
    // A craft cut by the half's lower edge lights its last rows.
    EXPECT_LT(lowest, 384 - 4) << "player " << player << "'s craft reaches the half's edge";
    EXPECT_EQ(rows[0], 0) << "nor is it cut at the top";
  }
  glViewport(0, 0, 1024, 768);
}

}  // namespace
