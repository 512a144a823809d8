// Where a player's own craft is drawn: whole inside its half of the split screen, and in
// sight while it is flown into a slope.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "renderer/ULoaderObj.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "modes/Uworld_TwoPlayers.h"
#include "platform/Window.h"
#include "tests/TrackDataFixture.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "world/UphysicEngine3.h"

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

// A course over a plain 60 high that rises in a steep slope from 40 units ahead of the
// start to 250, where a dive ends against it. No ring, a long clock.
std::string WriteSlopeCourse() {
  TImage heights = MakeSolidImage(64, 64, {0, 0, 0});
  for (int row = 0; row < 64; ++row) {
    const int sample = row < 36 ? 60 : std::min(250, 100 + (row - 36) * 40);
    for (int col = 0; col < 64; ++col) {
      heights.pixels[static_cast<std::size_t>(row * 64 + col) * 3 + 2] = static_cast<std::uint8_t>(sample);
    }
  }
  WriteBmp24("track_data/slope.bmp", heights);
  const TTrackData data = TrackOverHeightmap("track_data/slope.bmp", 1.0, 255.0, 99);
  WriteTrackFile("slope", "track_data/slope.track", data);
  return "track_data/slope.track";
}

std::vector<float> ReadDepth() {
  std::vector<float> depth(1024 * 768);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1024, 768, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
  return depth;
}

// The depth of the craft alone, where the race draws it (1 where it is not).
std::vector<float> CraftAlone(const TObj& craft) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  DrawOwnCraftInFront(craft, {0.0, -5.0, -40.0}, {0.75, 0.75, 0.75});
  return ReadDepth();
}

// The share of the craft's pixels that nothing nearer covers in the frame's depth. (The
// craft's colours follow the lights as the view turns; its depth does not.)
double CraftShown(const std::vector<float>& alone, const std::vector<float>& shown) {
  int craft = 0, same = 0;
  for (std::size_t at = 0; at < alone.size() && at < shown.size(); ++at) {
    if (alone[at] >= 1.0f) continue;
    ++craft;
    if (std::abs(alone[at] - shown[at]) < 1e-6f) ++same;
  }
  return craft == 0 ? 0.0 : static_cast<double>(same) / craft;
}

TEST_F(CraftViewTest, ACraftDivedIntoASlopeStaysInSight) {
  T_TrackFile entry;
  entry.trackFileName = WriteSlopeCourse();
  std::unique_ptr<TTimeAttack> race = TTimeAttack::CreateFromTrack(entry, 1024, 768, 0, 0);
  const std::vector<float> alone = CraftAlone(TObj("mesh/reduce-dash2.obj"));
  // The depth buffer outlives the swap; the race clears it only after.
  std::vector<float> shownDepth;
  platform.onSwap = [&shownDepth](TScriptedPlatform&) { shownDepth = ReadDepth(); };
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.75f);
  double least = 1.0;
  int leastFrame = -1;
  for (int frame = 0; frame < 80; ++frame) {
    // Nose down 30 degrees, with thrust all the way.
    platform.input.keys = frame < 15 ? std::set<int>{wnd::KEY_UP, wnd::KEY_SPACE}
                                     : std::set<int>{wnd::KEY_SPACE};
    race->PlayFrame();
    const double shown = CraftShown(alone, shownDepth);
    if (shown < least) {
      least = shown;
      leastFrame = frame;
    }
  }
  // The dive did reach the slope: the flight rules stopped the craft against it.
  EXPECT_LT(-race->Physics().Position(1).z, -40.0);
  EXPECT_GT(least, 0.9) << "at frame " << leastFrame << " only " << least << " of the craft shows";
}

}  // namespace
