// The HUD's panels are drawn only where their pictures show: the same picture as the
// whole quads, for fewer fragments where a picture is clear.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "renderer/HudDraw.h"
#include "renderer/Textures.h"
#include "tests/gl/GlTestSupport.h"
#include "world/HudLayout.h"

namespace fs = std::filesystem;

namespace {

// The race's HUD state: blended, alpha-tested at the race's cut, over a grey scene.
std::vector<unsigned char> Frame(const std::function<void()>& draw) {
  glClearColor(0.3f, 0.35f, 0.4f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.75f);
  draw();
  return ReadFrame();
}

GLuint FragmentsMade(const std::function<void()>& draw) {
  GLuint query = 0, made = 0;
  glGenQueries(1, &query);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glBeginQuery(GL_SAMPLES_PASSED, query);
  draw();
  glEndQuery(GL_SAMPLES_PASSED);
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &made);
  glDeleteQueries(1, &query);
  glAlphaFunc(GL_GREATER, 0.75f);
  return made;
}

int DifferingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    bool differs = false;
    for (std::size_t c = i; c < i + 3; ++c) differs = differs || std::abs(a[c] - b[c]) > 1;
    count += differs ? 1 : 0;
  }
  return count;
}

}  // namespace

TEST(HudPanels, TheShippedPanelsLookTheSameDrawnOnlyWhereTheyShow) {
  FreshGlPlatform();
  if (!fs::exists("img/timer.tga") || !fs::exists("img/lanternes_score.tga")) {
    GTEST_SKIP() << "no shipped panels in " << fs::current_path();
  }
  const double w = 800.0, h = 600.0;
  TImg timer = TimerPanelImg(w, h), lantern = LanternPanelImg(w, h);
  TTexture timerPicture = LoadTexture(timer.path), lanternPicture = LoadTexture(lantern.path);
  timer.texture = timerPicture.Id();
  lantern.texture = lanternPicture.Id();
  THudDraw hud;
  hud.CompilePanels(timer, lantern, w, h);
  auto whole = [&] {
    glDisable(GL_DEPTH_TEST);
    DrawHudPicture(timer, w, h);
    DrawHudPicture(lantern, w, h);
    glEnable(GL_DEPTH_TEST);
  };
  const std::vector<unsigned char> expected = Frame(whole);
  const std::vector<unsigned char> drawn = Frame([&] { hud.DrawPanels(); });
  EXPECT_LE(DifferingPixels(expected, drawn), 4);
  // The lantern strip is more than half clear.
  EXPECT_LT(FragmentsMade([&] { hud.DrawPanels(); }) * 10, FragmentsMade(whole) * 8);
}
