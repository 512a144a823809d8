// Whole menu runs driven by scripted clicks in the real GL window.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "frontend/Umenu.h"
#include "saves/SettingsStore.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

// Frames left after a click for any transition to end (a fade takes 101 frames at 16 ms,
// a turn 90, the iris 113).
constexpr int kSettle = 116;

struct TClick {
  std::span<const TButtonLayout> (*screen)();
  int button;
};

void QueueClicks(TScriptedPlatform& p, const std::vector<TClick>& clicks) {
  for (const TClick& click : clicks) {
    const TButtonLayout& b = click.screen()[static_cast<std::size_t>(click.button)];
    p.QueueClick(PixelX(b.x + b.width / 2), PixelY(b.y + b.height / 2));
    p.QueueIdle(kSettle);
  }
}

void QueueEscape(TScriptedPlatform& p) {
  p.QueueKey(wnd::KEY_ESC, 3);
  p.QueueIdle(10);
}

bool LightingOn() { return glIsEnabled(GL_LIGHTING) == GL_TRUE; }

// Spots of the loading picture, which fills the window where a choice that starts a mode
// ends.
std::vector<TPictureSpot> LoadingSpots() {
  return PictureSpots(kLoadingPicture, {}, {{0.3, 0.7}, {0.5, 0.45}, {0.8, 0.2}});
}

struct TPath {
  std::string name;
  std::vector<TClick> clicks;
  std::string result;
  int trackIndex;
};

const TClick kOnePlayer{MainButtonLayouts, 0};
const TClick kTwoPlayers{MainButtonLayouts, 1};
const TClick kOptions{MainButtonLayouts, 2};
const TClick kQuit{MainButtonLayouts, 3};
const TClick kTimeAttack{OnePlayerButtonLayouts, 0};
const TClick kStory{OnePlayerButtonLayouts, 1};
const TClick kOnePlayerBack{OnePlayerButtonLayouts, 2};
const TClick kLoad{OptionsButtonLayouts, 6};
const TClick kOptionsBack{OptionsButtonLayouts, 7};
const TClick kPrevious{TrackButtonLayouts, kTrackPrevious};
const TClick kNext{TrackButtonLayouts, kTrackNext};
const TClick kOk{TrackButtonLayouts, kTrackOk};
const TClick kChooserBack{TrackButtonLayouts, kTrackBack};

}  // namespace

TEST(MenuRun, TheConstructorLoadsEachPictureOnceAndPutsEveryScreenOnItsFace) {
  FreshGlPlatform();
  auto start = std::chrono::steady_clock::now();
  TMenu menu(1024, 768);
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count();
  std::printf("[ timing ] TMenu constructor: %.0f ms for %d pictures\n", ms, menu.TextureLoads());
  // The distinct files the tables name, less the two shown only on the way out of the
  // menu and into the Controls screen, which wait until then.
  EXPECT_EQ(menu.TextureLoads(), 72);
  EXPECT_TRUE(GlPlatform().messages.empty());
  EXPECT_EQ(menu.Screen(), kMainScreen);
  EXPECT_EQ(menu.CameraDistance(), 3.5);
  EXPECT_EQ(menu.MusicVolume(), 255);
  EXPECT_EQ(menu.EffectsVolume(), 255);
  EXPECT_EQ(menu.TrackIndex(), 0);
  EXPECT_EQ(menu.MainPanel().FaceAngle(), 0.0);
  EXPECT_EQ(menu.TwoPlayersPanel().FaceAngle(), 0.0);
  EXPECT_EQ(menu.OnePlayerPanel().FaceAngle(), 90.0);
  EXPECT_EQ(menu.TrackPanel().FaceAngle(), 90.0);
  EXPECT_EQ(menu.OptionsPanel().FaceAngle(), -90.0);
  EXPECT_EQ(menu.LoadPanel().FaceAngle(), -90.0);
  // Two spellings of the two-players picture are one texture.
  EXPECT_EQ(menu.TwoPlayersPanel().BackgroundTexture(), menu.Pictures().twoPlayers);
  EXPECT_NE(menu.Pictures().stencil, 0u);
  const std::uint32_t loading = menu.LoadingPicture();
  EXPECT_NE(loading, 0u);
  EXPECT_NE(menu.ControlsPicture(), 0u);
  EXPECT_EQ(menu.TextureLoads(), 74) << "loaded when first shown";
  EXPECT_EQ(menu.LoadingPicture(), loading) << "and only once";
  EXPECT_EQ(menu.TextureLoads(), 74);

  const T_Tab_TrackFile& tracks = menu.TrackFiles();
  ASSERT_EQ(tracks.size(), 6u);
  const char* names[] = {"track_data/dunmarrow.bmp", "track_data/ridezi.bmp",
                         "track_data/large.bmp",     "track_data/lanterne.bmp",
                         "track_data/test.bmp",      "track_data/random.bmp"};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(tracks[i].heightmapName, names[i]);
    EXPECT_NE(tracks[i].previewTexture, 0u);
    const TImage* picture = TestPicture(names[i]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(tracks[i].width, picture->width);
    EXPECT_EQ(tracks[i].height, picture->height);
  }
  EXPECT_EQ(tracks.back().trackFileName, "");
}

TEST(MenuRun, EveryResultIsReachedByClicksAndChoicesEndOnTheLoadingPicture) {
  const std::vector<TPath> paths = {
      {"quit", {kQuit}, "exit", 0},
      {"time attack", {kOnePlayer, kTimeAttack, kNext, kOk}, "Time Attack", 1},
      {"random track", {kOnePlayer, kTimeAttack, kPrevious, kOk}, "Time Attack", 5},
      {"story", {kOnePlayer, kStory}, "SCREENPLAY", 0},
      {"LAN", {kTwoPlayers, {TwoPlayersButtonLayouts, 0}}, "LAN", 0},
      {"local", {kTwoPlayers, {TwoPlayersButtonLayouts, 1}}, "LOCAL", 0},
      {"slot 1", {kOptions, kLoad, {LoadButtonLayouts, 0}}, "SLOT1", 0},
      {"slot 2", {kOptions, kLoad, {LoadButtonLayouts, 1}}, "SLOT2", 0},
      {"slot 3", {kOptions, kLoad, {LoadButtonLayouts, 2}}, "SLOT3", 0},
      {"quick load", {kOptions, kLoad, {LoadButtonLayouts, 4}}, "SLOT0", 0},
  };
  for (const TPath& path : paths) {
    SCOPED_TRACE(path.name);
    TScriptedPlatform& p = FreshGlPlatform();
    TMenu menu(1024, 768);
    QueueClicks(p, path.clicks);
    TScriptCheckpoints checks(p);
    TLastFrameProbe lastFrame(LoadingSpots());
    checks.EveryFrame([&] { lastFrame.Record(); });
    checks.Arm();
    std::string result = "stale";
    menu.RunMenu(result);
    EXPECT_EQ(result, path.result);
    EXPECT_EQ(menu.TrackIndex(), path.trackIndex);
    if (path.result != "exit") {
      EXPECT_EQ(lastFrame.Expect(path.name), 3);
    }
  }
}

TEST(MenuRun, TheTrackArrowsWrapBothWays) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  std::vector<TClick> clicks = {kOnePlayer, kTimeAttack};
  for (int i = 0; i < 7; ++i) clicks.push_back(kNext);  // 0 -> 5 -> 0 -> 1
  clicks.push_back(kPrevious);
  clicks.push_back(kPrevious);
  clicks.push_back(kPrevious);  // 1 -> 0 -> 5 -> 4
  clicks.push_back(kOk);
  for (TClick& c : clicks) {
    if (c.screen == TrackButtonLayouts && c.button != kTrackOk) {
      const TButtonLayout& b = TrackButtonLayouts()[static_cast<std::size_t>(c.button)];
      p.QueueClick(PixelX(b.x + b.width / 2), PixelY(b.y + b.height / 2));
      p.QueueIdle(2);
    } else {
      QueueClicks(p, {c});
    }
  }
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "Time Attack");
  EXPECT_EQ(menu.TrackIndex(), 4);
}

// Escape leaves the nested screens only, each with an empty result: the menu goes on and
// is left at the end by quitting. Lighting is never switched on, whatever the path.
TEST(MenuRun, EscapeLeavesEachNestedScreenWithoutAChoiceAndLightingStaysOff) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  int litFrames = 0;
  checks.EveryFrame([&] { litFrames += LightingOn() ? 1 : 0; });
  QueueClicks(p, {kTwoPlayers});
  QueueEscape(p);
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kMainScreen); });
  QueueEscape(p);  // does nothing on a face
  QueueClicks(p, {kOptions, kLoad});
  QueueEscape(p);
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kOptionsScreen); });
  QueueClicks(p, {kOptionsBack, kOnePlayer, kTimeAttack});
  QueueEscape(p);
  checks.Here([&] {
    EXPECT_EQ(menu.Screen(), kOnePlayerScreen);
    ExpectPictureShown(kOnePlayerBackground, {}, {{0.05, 0.95}}, "one-player face after Escape");
  });
  QueueClicks(p, {kOnePlayerBack, kQuit});
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 3);
  EXPECT_EQ(litFrames, 0);
  EXPECT_FALSE(LightingOn());
}

TEST(MenuRun, BackButtonsReturnToTheFaceTheyCameFrom) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  QueueClicks(p, {kTwoPlayers, {TwoPlayersButtonLayouts, kTwoPlayersBack}});
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kMainScreen); });
  QueueClicks(p, {kOptions, kLoad, {LoadButtonLayouts, kLoadBack}});
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kOptionsScreen); });
  QueueClicks(p, {kOptionsBack, kOnePlayer, kTimeAttack, kChooserBack});
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kOnePlayerScreen); });
  QueueClicks(p, {kOnePlayerBack, kQuit});
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 3);
}

TEST(MenuRun, SoundValuesMoveOncePerClickWithinTheirLimits) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  const TButtonLayout& minus = OptionsButtonLayouts()[1];
  int mx = PixelX(minus.x + minus.width / 2), my = PixelY(minus.y + minus.height / 2);
  QueueClicks(p, {kOptions});
  // Pressed on minus, dragged off and released elsewhere: nothing.
  p.Queue({{}, mx, my, true}, 3);
  p.Queue({{}, 900, 700, true}, 3);
  p.Queue({{}, 900, 700, false}, 3);
  // A long press is still one click.
  p.Queue({{}, mx, my, false}, 1);
  p.Queue({{}, mx, my, true}, 40);
  p.Queue({{}, mx, my, false}, 2);
  QueueClicks(p, {{OptionsButtonLayouts, 1}, {OptionsButtonLayouts, 4}, kOptionsBack, kQuit});
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(menu.MusicVolume(), 245);
  EXPECT_EQ(menu.EffectsVolume(), 0);

  // The next visit starts at the volumes last chosen; the limits hold however often the
  // player clicks.
  TScriptedPlatform& q = FreshGlPlatform();
  CurrentSettings().musicVolume = 245;
  CurrentSettings().effectsVolume = 0;
  TMenu again(1024, 768);
  EXPECT_EQ(again.MusicVolume(), 245);
  EXPECT_EQ(again.EffectsVolume(), 0);
  QueueClicks(q, {kOptions, {OptionsButtonLayouts, 2}, {OptionsButtonLayouts, 4},
                  {OptionsButtonLayouts, 5}});
  const TButtonLayout& down = OptionsButtonLayouts()[1];
  for (int i = 0; i < 53; ++i) q.QueueClick(PixelX(down.x + 5), PixelY(down.y + 5), 1);
  q.QueueIdle(2);
  QueueClicks(q, {kOptionsBack, kQuit});
  again.RunMenu(result);
  EXPECT_EQ(again.MusicVolume(), 0);
  EXPECT_EQ(again.EffectsVolume(), 255);
}

TEST(MenuRun, AClickStartsOffTheButtonAndEndsOnIt) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  const TButtonLayout& quit = MainButtonLayouts()[3];
  int qx = PixelX(quit.x + quit.width / 2), qy = PixelY(quit.y + quit.height / 2);
  // Pressed on quit and released off it: nothing, the menu is still there 20 frames later.
  p.Queue({{}, qx, qy, true}, 3);
  p.Queue({{}, 10, 10, true}, 2);
  p.Queue({{}, 10, 10, false}, 20);
  // Pressed off it, dragged onto it and released there: a click.
  p.Queue({{}, 10, 10, true}, 2);
  p.Queue({{}, qx, qy, true}, 2);
  p.Queue({{}, qx, qy, false}, 1);
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  // The first frame shows the pointer at rest; the release frame quits without a swap.
  EXPECT_EQ(p.swaps, 1 + 3 + 2 + 20 + 2 + 2);
}
