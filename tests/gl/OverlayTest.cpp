// The race overlay on its own, drawn over a plain scene as a race would draw it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "frontend/UGameOptions.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const TRgb kSceneColour{128, 0, 0};

// A race's frame before the overlay: its own state and picture.
void DrawScene() {
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glClearColor(0.5f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

// One overlay frame with the pointer at (x, y) in window pixels.
std::string Frame(TGameOptions& options, int& music, int& effects, int x, int y, bool down) {
  GlPlatform().input = TInputState{{}, x, y, down};
  DrawScene();
  std::string result = "stale";
  options.DrawOptions(music, effects, result);
  return result;
}

// A point on a dial's ring, `clockwise` degrees from 9 o'clock, in window pixels.
void OnRing(bool left, double clockwise, double radius, int& x, int& y) {
  double a = (clockwise + 180.0) * kPi / 180.0;
  x = static_cast<int>(std::lround((left ? 256 : 768) + radius * std::cos(a)));
  y = static_cast<int>(std::lround(384 + radius * std::sin(a)));
}

// Where notch i of the music dial is drawn, in window pixels.
void NotchCentre(int i, int& x, int& y) {
  double ox = -190.72, oy = 37.12;  // the template's centre from the dial's centre, y up
  double t = -11.0 * i * kPi / 180.0;
  x = static_cast<int>(std::lround(256 + ox * std::cos(t) - oy * std::sin(t)));
  y = static_cast<int>(std::lround(384 - (ox * std::sin(t) + oy * std::cos(t))));
}

const char* const kOverlayPictures[] = {
    "img/gameOptions/img_sound.tga",     "img/gameOptions/volume.tga",
    "img/gameOptions/effets.tga",        "img/gameOptions/bouton_orange.tga",
    "img/gameOptions/bouton_retour.tga", "img/gameOptions/bouton_quitter.tga"};

bool OverlayContentPresent() {
  for (const char* path : kOverlayPictures) {
    if (TestPicture(path) == nullptr) return false;
  }
  return true;
}

}  // namespace

TEST(Overlay, ItsTwoButtonsReturnToTheRaceOrLeaveIt) {
  FreshGlPlatform();
  TGameOptions options(1024, 768);
  int music = 255, effects = 255;
  // Back to the race: virtual (400, 536), pixels (512, 686).
  EXPECT_EQ(Frame(options, music, effects, 512, 686, false), "");
  EXPECT_EQ(Frame(options, music, effects, 512, 686, true), "");
  EXPECT_EQ(Frame(options, music, effects, 512, 686, true), "");
  EXPECT_EQ(Frame(options, music, effects, 512, 686, false), "RETURN GAME");
  EXPECT_EQ(Frame(options, music, effects, 512, 686, false), "");
  // Leave the race: virtual (704, 536), pixels (901, 686); pressed and dragged off first.
  Frame(options, music, effects, 901, 686, true);
  Frame(options, music, effects, 1010, 740, true);
  EXPECT_EQ(Frame(options, music, effects, 1010, 740, false), "");
  EXPECT_EQ(Frame(options, music, effects, 901, 686, false), "");
  Frame(options, music, effects, 901, 686, true);
  EXPECT_EQ(Frame(options, music, effects, 901, 686, false), "MENU RETURN");
  EXPECT_EQ(music, 255);
  EXPECT_EQ(effects, 255);
  // The race's own drawing state comes back.
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint func = 0;
  GLfloat ref = 0;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  EXPECT_EQ(func, GL_GREATER);
  EXPECT_FLOAT_EQ(ref, 0.75f);
}

TEST(Overlay, DraggingAlongARingSetsItsLevelContinuouslyAndOffTheRingNothing) {
  FreshGlPlatform();
  TGameOptions options(1024, 768);
  EXPECT_DOUBLE_EQ(options.InnerRadius(), 135 * 1.28);
  EXPECT_DOUBLE_EQ(options.OuterRadius(), 166 * 1.28);
  int music = 255, effects = 255;
  int last = 0, distinct = 0;
  for (double a = 1; a < 360; a += 2) {
    int x = 0, y = 0;
    OnRing(true, a, 192, x, y);
    Frame(options, music, effects, x, y, true);
    EXPECT_EQ(music % 8, 0);
    EXPECT_GE(music, last) << a;
    distinct += music != last ? 1 : 0;
    last = music;
    EXPECT_EQ(options.MusicNotches(), music / 8);
  }
  EXPECT_EQ(distinct, 32);
  EXPECT_EQ(music, 256);
  EXPECT_EQ(effects, 255);

  // Inside the ring, outside it, or with the button up: the cells keep their values.
  for (double radius : {160.0, 220.0}) {
    for (double a = 1; a < 360; a += 30) {
      int x = 0, y = 0;
      OnRing(false, a, radius, x, y);
      Frame(options, music, effects, x, y, true);
    }
  }
  int x = 0, y = 0;
  OnRing(false, 50, 192, x, y);
  Frame(options, music, effects, x, y, false);
  EXPECT_EQ(music, 256);
  EXPECT_EQ(effects, 255);
  Frame(options, music, effects, x, y, true);
  EXPECT_EQ(effects, 8 * (50 * 32 / 360 + 1));
  EXPECT_EQ(music, 256);
}

TEST(Overlay, NotchesShowTheLevelsAndTheOverlayLeavesTheSceneAroundIt) {
  FreshGlPlatform();
  TGameOptions options(1024, 768);
  int music = 255, effects = 0;
  Frame(options, music, effects, 5, 5, false);
  EXPECT_EQ(options.MusicNotches(), 31);
  EXPECT_EQ(options.EffectsNotches(), 0);
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 40), kSceneColour, 2));
  EXPECT_TRUE(Near(ReadPixelTopLeft(1000, 20), kSceneColour, 2));
  music = 256;
  effects = 8;
  Frame(options, music, effects, 5, 5, false);
  EXPECT_EQ(options.MusicNotches(), 32);
  EXPECT_EQ(options.EffectsNotches(), 1);

  if (!OverlayContentPresent()) GTEST_SKIP() << "the overlay's pictures are not in the content";
  const TImage* notch = TestPicture("img/gameOptions/bouton_orange.tga");
  int alpha = 0;
  TRgb orange = PictureColour(*notch, 0.5, 0.5, &alpha);
  ASSERT_EQ(alpha, 255);
  int x = 0, y = 0;
  for (int level : {255, 256}) {
    music = level;
    Frame(options, music, effects, 5, 5, false);
    NotchCentre(30, x, y);
    EXPECT_TRUE(Near(ReadPixelTopLeft(x, y), orange)) << "notch 31 at " << level;
    NotchCentre(31, x, y);
    EXPECT_EQ(Near(ReadPixelTopLeft(x, y), orange), level == 256) << "notch 32 at " << level;
  }
}

TEST(Overlay, TheCommandButtonsShowOnePictureInEveryState) {
  FreshGlPlatform();
  TGameOptions options(1024, 768);
  const TTab_bouton& buttons = options.Buttons();
  ASSERT_EQ(buttons.size(), 4u);
  for (int i : {2, 3}) {
    EXPECT_EQ(buttons[i].inactiveTexture, buttons[i].focusTexture);
    EXPECT_EQ(buttons[i].inactiveTexture, buttons[i].activeTexture);
  }
  EXPECT_EQ(buttons[0].activeTexture, buttons[1].activeTexture);
  EXPECT_EQ(options.LeftDial().texture, options.RightDial().texture);
  EXPECT_TRUE(options.RightDial().path.empty());
  int music = 100, effects = 100;
  // A spot inside the back button, at rest, under the pointer, and held.
  const int x = 470, y = 680;
  Frame(options, music, effects, 5, 5, false);
  TRgb rest = ReadPixelTopLeft(x, y);
  Frame(options, music, effects, x, y, false);
  TRgb hover = ReadPixelTopLeft(x, y);
  Frame(options, music, effects, x, y, true);
  TRgb held = ReadPixelTopLeft(x, y);
  EXPECT_TRUE(Near(rest, hover, 0));
  EXPECT_TRUE(Near(rest, held, 0));
  EXPECT_FALSE(Near(rest, kSceneColour, 10));
}

TEST(Overlay, WithoutItsPicturesItSaysSoAndStillWorks) {
  std::vector<std::string> missing(std::begin(kOverlayPictures), std::end(kOverlayPictures));
  TContentWithout content(missing);
  TScriptedPlatform& p = FreshGlPlatform();
  TGameOptions options(1024, 768);
  EXPECT_EQ(p.messages.size(), 6u);
  int music = 255, effects = 255;
  Frame(options, music, effects, 5, 5, false);
  // The dials are plain white discs' squares; the scene shows around them.
  EXPECT_TRUE(Near(ReadPixelTopLeft(256, 200), {255, 255, 255}, 2));
  EXPECT_TRUE(Near(ReadPixelTopLeft(512, 40), kSceneColour, 2));
  int x = 0, y = 0;
  OnRing(false, 0.5, 192, x, y);
  Frame(options, music, effects, x, y, true);
  EXPECT_EQ(effects, 8);
  Frame(options, music, effects, 512, 686, true);
  EXPECT_EQ(Frame(options, music, effects, 512, 686, false), "RETURN GAME");
}
