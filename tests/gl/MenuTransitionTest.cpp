// The menu's transitions and nested screens on their own, timed with the fake clock.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>

#include "frontend/Umenu.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

// The camera the one-player screen leaves for the fades and nested screens it starts, and
// the menu's unlit drawing.
void LookAtRightFace() {
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, 1024.0 / 768.0, 0.001, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(3.5, 0, 0, 0, 0, 0, 0, 1, 0);
}

}  // namespace

TEST(MenuTransitions, ATurnPresentsOneFramePerDegreeWhateverTheClock) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  struct TTurn {
    int degrees, screen;
    double from;
  };
  const TTurn turns[] = {{90, kOnePlayerScreen, 0}, {-90, kMainScreen, 90},
                         {-90, kOptionsScreen, 0},  {90, kMainScreen, -90}};
  for (std::uint32_t frameMs : {1u, 1000u}) {
    p.frameMs = frameMs;
    for (const TTurn& turn : turns) {
      long swaps = p.swaps;
      menu.TurnTo(turn.degrees, turn.screen, turn.from, 3.5);
      // 89 frames in between; the caller's loop presents the 90th, the new face.
      EXPECT_EQ(p.swaps - swaps, 89);
      EXPECT_EQ(menu.Screen(), turn.screen);
    }
  }
  menu.TurnTo(0, kMainScreen, 0, 3.5);
  EXPECT_EQ(menu.Screen(), kMainScreen);
}

TEST(MenuTransitions, AFadeTakesAtLeastSevenTenthsOfASecondAndEndsOnTheNewPicture) {
  for (std::uint32_t frameMs : {5u, 16u}) {
    SCOPED_TRACE(frameMs);
    TScriptedPlatform& p = FreshGlPlatform();
    p.frameMs = frameMs;
    TMenu menu(1024, 768);
    TScriptCheckpoints checks(p);
    TLastFrameProbe lastFrame(PictureSpots(kLoadingPicture, {}, {{0.3, 0.6}, {0.6, 0.3}}));
    int alphaTests = 0;
    checks.EveryFrame([&] {
      lastFrame.Record();
      GLint func = 0;
      glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
      alphaTests += func == GL_ALWAYS ? 0 : 1;
    });
    checks.Arm();
    LookAtRightFace();
    std::uint32_t start = p.now;
    // From a picture rather than a display list: the new picture lands on the right face.
    menu.CrossFade(menu.Pictures().trackChooser, false, menu.LoadingPicture(), false);
    EXPECT_GE(p.now - start, 700u);
    EXPECT_GE(p.swaps, 101);
    EXPECT_LE(p.swaps, 101 + (frameMs < 7 ? 101 : 0));
    EXPECT_EQ(lastFrame.Expect("fade to the loading picture"), 2);
    EXPECT_EQ(alphaTests, 0);
  }
}

TEST(MenuTransitions, HalfWayThroughAFadeBothPicturesShow) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  const TImage* from = TestPicture(kTrackChooserPicture);
  const TImage* to = TestPicture(kOnePlayerPicture);
  ASSERT_TRUE(from && to);
  // A place that is even in both pictures and clearly different between them.
  int x = -1, y = -1;
  TRgb mixed;
  for (double u = 0.05; u < 1 && x < 0; u += 0.05) {
    for (double v = 0.05; v < 1 && x < 0; v += 0.05) {
      double fu = u, fv = v;
      if (!FindEvenSpot(*from, fu, fv, 0) || !FindEvenSpot(*to, fu, fv, 0)) continue;
      TRgb a = PictureColour(*from, fu, fv), b = PictureColour(*to, fu, fv);
      if (std::abs(a.r + a.g + a.b - b.r - b.g - b.b) < 150) continue;
      x = static_cast<int>(fu * 1024);
      y = static_cast<int>((1 - fv) * 768);
      mixed = {(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2};
    }
  }
  ASSERT_GE(x, 0) << "no place tells the two pictures apart";
  TRgb shown;
  p.onSwap = [&](TScriptedPlatform& q) {
    if (q.swaps == 51) shown = PresentedAverage(x, y);  // alpha 0.50
  };
  LookAtRightFace();
  menu.CrossFade(menu.Pictures().trackChooser, false, menu.Pictures().onePlayer, false);
  p.onSwap = nullptr;
  EXPECT_TRUE(Near(shown, mixed, 30)) << shown.r << "," << shown.g << "," << shown.b << " vs "
                                      << mixed.r << "," << mixed.g << "," << mixed.b;
}

TEST(MenuTransitions, TheIrisOpensTheLogoForOverASecondUnlessEscapeCutsIt) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  // The menu's loop draws unlit, so a material left by the last mesh drawn (in a race, or
  // by an earlier test) does not tint its pictures; the iris runs inside that loop.
  glDisable(GL_LIGHTING);
  TScriptCheckpoints checks(p);
  const TMenu::TPictures& pictures = menu.Pictures();
  // Once the logo is about the window's size, its middle shows the new picture while the
  // corners, outside the logo, still show the one-player face.
  auto inside = PictureSpots(kLoadingPicture, {}, {{0.5, 0.5}});
  auto outside = PictureSpots(kOnePlayerPicture, {}, {{0.02, 0.98}, {0.98, 0.98}});
  bool checked = false;
  p.onSwap = [&](TScriptedPlatform& q) {
    if (q.swaps != 74) return;  // the logo is 1.0 to 1.05 times the window
    checked = true;
    EXPECT_EQ(ExpectSpotsPresented(inside, "inside the logo"), 1);
    EXPECT_EQ(ExpectSpotsPresented(outside, "outside the logo"), 2);
    GLint func = 0;
    GLfloat ref = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_EQ(func, GL_GREATER);
    EXPECT_FLOAT_EQ(ref, 0.5f);
  };
  std::uint32_t start = p.now;
  menu.IrisWipe(menu.Lists().onePlayer, true, pictures.stencil, menu.LoadingPicture(), false);
  EXPECT_TRUE(checked);
  EXPECT_GE(p.now - start, 1100u);
  EXPECT_EQ(p.swaps, 113);  // a step every frame at 16 ms; the first frame shows size 1

  p.onSwap = nullptr;
  p.frameMs = 5;
  p.swaps = 0;
  start = p.now;
  menu.IrisWipe(menu.Lists().onePlayer, true, pictures.stencil, menu.LoadingPicture(), false);
  EXPECT_GE(p.now - start, 1100u);

  // An Escape pressed while the logo grows cuts it after the frame that saw it; one held
  // since before the iris began is not a press of its own.
  p.frameMs = 16;
  p.input.keys = {wnd::KEY_ESC};
  p.Queue({{wnd::KEY_ESC}, -1, -1, false}, 4);
  p.QueueIdle(2);
  p.QueueKey(wnd::KEY_ESC, 10);
  p.swaps = 0;
  menu.IrisWipe(menu.Lists().onePlayer, true, pictures.stencil, menu.LoadingPicture(), false);
  EXPECT_EQ(p.swaps, 7);
  // The stencil test, when the next screen turns it on, lets everything through again.
  GLint func = 0;
  glGetIntegerv(GL_STENCIL_FUNC, &func);
  EXPECT_EQ(func, GL_ALWAYS);
}

// An Escape held since before a nested screen opened belongs to the screen it left; a new
// press leaves the nested screen after the frame that saw it.
TEST(MenuTransitions, OnlyAnEscapePressedOnANestedScreenLeavesIt) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  void (TMenu::*screens[])(std::string&) = {&TMenu::RunTwoPlayers, &TMenu::RunLoadScreen,
                                           &TMenu::RunTrackChooser};
  for (auto screen : screens) {
    p.ClearQueue();
    p.input.keys = {wnd::KEY_ESC};
    p.Queue({{wnd::KEY_ESC}, -1, -1, false}, 5);
    p.QueueIdle(2);
    p.QueueKey(wnd::KEY_ESC, 3);
    p.swaps = 0;
    LookAtRightFace();
    std::string result = "stale";
    (menu.*screen)(result);
    EXPECT_EQ(result, "");
    EXPECT_EQ(p.swaps, 9);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  }
}
