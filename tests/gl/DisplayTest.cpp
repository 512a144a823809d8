// The display seen from the game: losing the focus pauses a race as Escape does, screens
// follow the window's size when it changes, and the shell keeps the player's choice of
// full screen or window and the window's size.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frontend/UGameOptions.h"
#include "game/Ugame.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "modes/Uworld_TwoPlayers.h"
#include "saves/SettingsStore.h"
#include "tests/gl/GlTestSupport.h"
#include "tests/gl/MenuPictureCheck.h"
#include "world/Utrack.h"

namespace fs = std::filesystem;

namespace {

// A course with one ring far ahead: no race ends by itself within these tests but by the
// clock, which allows `seconds`.
T_TrackFile FarCourse(const std::string& name, int seconds = 10) {
  return WinterEntry(WriteWinterCourse(fs::current_path(), name, {{0, 195, -2000}}, seconds));
}

// The overlay's leave button at 1024 x 768: virtual (626, 487), 156 x 99, times 1.28.
constexpr int kLeaveX = static_cast<int>(704 * 1.28);
constexpr int kLeaveY = static_cast<int>(536 * 1.28);

struct DisplayTest : ::testing::Test {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
  void SetUp() override { platform.frameMs = 100; }
  void TearDown() override {
    platform.drawableWidth = platform.drawableHeight = 0;
    platform.maxSwaps = 200000;
  }
};

}  // namespace

// Another window taking the focus, or the window minimised, opens the overlay: the clock
// stands while it is open, and the overlay's buttons work as after Escape.
TEST_F(DisplayTest, LosingTheFocusOpensTheOverlayAndTheClockStands) {
  auto race = TTimeAttack::CreateFromTrack(FarCourse("focus"), 1024, 768, 255, 0);
  TScriptCheckpoints checks(platform);
  int pausedAt = -1;
  platform.QueueIdle(12);
  platform.QueueFocusLoss(60);  // six seconds away from the window
  checks.Here([&] {
    pausedAt = race->TimeLeft();
    EXPECT_TRUE(race->Physics().OverlayOpen());
  });
  platform.QueueIdle(30);
  checks.Here([&] { EXPECT_EQ(race->TimeLeft(), pausedAt); });
  platform.QueueClick(kLeaveX, kLeaveY);
  checks.Arm();
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
  EXPECT_EQ(checks.Ran(), 2);
  EXPECT_EQ(pausedAt, 9);  // about a second raced before the focus went
}

// Once the overlay is open, losing the focus again does nothing more: back in the race,
// the clock runs and no old loss of focus opens the overlay again.
TEST_F(DisplayTest, AFocusLostWhileTheOverlayIsOpenIsNotKeptForLater) {
  auto race = TTimeAttack::CreateFromTrack(FarCourse("twice", 4), 1024, 768, 255, 0);
  platform.maxSwaps = 1500;  // a race paused for good ends the test here
  platform.QueueFocusLoss(5);
  platform.QueueFocusLoss(5);
  platform.QueueClick(512, 686);  // back to the race
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result.substr(0, 4), "MENU");
  EXPECT_LE(race->TimeLeft(), 0) << "the clock ran out once the race was back";
  EXPECT_FALSE(race->Physics().OverlayOpen());
}

// A focus lost before the race began (in the menu, while loading) is not the race's.
TEST_F(DisplayTest, AFocusLostBeforeTheRaceDoesNotPauseIt) {
  auto race = TTimeAttack::CreateFromTrack(FarCourse("before", 2), 1024, 768, 255, 0);
  platform.maxSwaps = 1500;
  platform.QueueFocusLoss(1);
  wnd::SwapBuffers();  // the loss arrives on this poll, before the race starts
  std::string result;
  race->Run(255, result);
  EXPECT_LE(race->TimeLeft(), 0) << "the clock ran out without a pause";
}

// The frames measured one at a time are the race's frames with the overlay closed: a
// focus lost as the window opened (an X server without a window manager sends one) is
// not a pause there, or every frame measured would carry the overlay's dials.
TEST_F(DisplayTest, AMeasuredFrameIsNotPausedByAFocusLostAsTheWindowOpened) {
  auto race = TTimeAttack::CreateFromTrack(FarCourse("measured"), 1024, 768, 255, 0);
  platform.QueueFocusLoss(1);
  wnd::SwapBuffers();  // the loss arrives on this poll
  for (int frame = 0; frame < 5; ++frame) race->PlayFrame();
  EXPECT_FALSE(race->Physics().OverlayOpen());
}

TEST_F(DisplayTest, TheSplitScreenRacePausesWhenTheFocusIsLost) {
  T_Tab_TrackFile tracks{FarCourse("split")};
  TTwoPlayers race(1024, 768, tracks, 255, true, false);
  platform.QueueIdle(5);
  platform.QueueFocusLoss(60);
  platform.QueueClick(kLeaveX, kLeaveY);
  std::string result;
  race.RunLocal(0, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(race.TimeLeft(), 10) << "no second counted from the pause to leaving";
}

// A switch of display during a race: the next frames are drawn in the new window's
// centred 4:3 frame, without a new race.
TEST_F(DisplayTest, TheRaceFollowsTheWindowToItsNewSize) {
  auto race = TTimeAttack::CreateFromTrack(FarCourse("switch", 2), 1024, 768, 255, 0);
  GLint before[4] = {0, 0, 0, 0}, after[4] = {0, 0, 0, 0};
  TScriptCheckpoints checks(platform);
  platform.QueueIdle(3);
  checks.Here([&] {
    glGetIntegerv(GL_VIEWPORT, before);
    platform.drawableWidth = 1920;  // as a switch to a 1920 x 1080 screen reports it
    platform.drawableHeight = 1080;
  });
  platform.QueueIdle(3);
  checks.Here([&] { glGetIntegerv(GL_VIEWPORT, after); });
  checks.Arm();
  std::string result;
  race->Run(0, result);
  ASSERT_EQ(checks.Ran(), 2);
  EXPECT_EQ(before[0], 0);
  EXPECT_EQ(before[2], 1024);
  EXPECT_EQ(after[0], 240);
  EXPECT_EQ(after[1], 0);
  EXPECT_EQ(after[2], 1440);
  EXPECT_EQ(after[3], 1080);
}

// The overlay open while the display switches is laid out anew for the new frame: its
// buttons are where they are drawn at the new size, not where they were.
TEST_F(DisplayTest, TheOverlayFollowsTheWindowToItsNewSize) {
  TGameOptions options(1024, 768);
  int music = 255, effects = 255;
  auto frame = [&](int x, int y, bool down) {
    platform.input = TInputState{{}, x, y, down};
    std::string result;
    options.DrawOptions(music, effects, result);
    return result;
  };
  EXPECT_EQ(frame(10, 10, false), "");
  platform.drawableWidth = 1920;
  platform.drawableHeight = 1080;
  // The leave button, virtual (704, 536) of 800 x 600, in the 1440-wide frame from x 240.
  const int x = 240 + 704 * 1440 / 800, y = 536 * 1080 / 600;
  EXPECT_EQ(frame(x, y, false), "");
  EXPECT_EQ(frame(x, y, true), "");
  EXPECT_EQ(frame(x, y, false), "MENU RETURN");
}

// The shell keeps what the player chose: a switch sets full screen or window, a resize
// the window's size. A run told to use a window keeps full screen chosen for the next.
TEST(DisplaySettings, SwitchesAndResizesAreKeptInTheSettings) {
  GlPlatform().CloseWindow();
  const TSettings saved = CurrentSettings();
  {
    TScriptedGlPlatform& platform = GlPlatform();
    CurrentSettings().fullScreen = true;
    Tgame game(800, 600, false);
    ASSERT_TRUE(game.Window().opened);
    platform.ResizeWindow(900, 700);
    EXPECT_TRUE(CurrentSettings().fullScreen) << "a resize is no choice of a window";
    EXPECT_EQ(CurrentSettings().windowWidth, 900);
    EXPECT_EQ(CurrentSettings().windowHeight, 700);
    platform.SetFullScreen(true);
    EXPECT_TRUE(CurrentSettings().fullScreen);
    platform.SetFullScreen(false);
    EXPECT_FALSE(CurrentSettings().fullScreen);
    EXPECT_EQ(CurrentSettings().windowWidth, 900);
  }
  CurrentSettings() = saved;
  EnsureGlWindow();
  FreshGlPlatform();
}
