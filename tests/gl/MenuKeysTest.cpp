// The menus, the controls screen and the race overlay driven without a mouse: by the
// keyboard's arrows, Enter and Escape, or by a pad's d-pad, south and east buttons (a pad
// source of the test's own, installed as the game installs the real one).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "frontend/ControlsScreen.h"
#include "frontend/KeyFocus.h"
#include "frontend/Umenu.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/Gamepads.h"
#include "platform/KeyNames.h"
#include "saves/SettingsStore.h"
#include "tests/gl/GlTestSupport.h"
#include "tests/gl/MenuPictureCheck.h"

namespace fs = std::filesystem;
using wnd::TPadButton;

namespace {

// A pad whose presses are scripted frame by frame, read once each like the real source.
class TScriptedPads : public wnd::TGamepadSource {
 public:
  // The button goes down after `wait` more frames (counted from the previous step).
  void Queue(TPadButton button, int wait) { script_.push_back({wait, button}); }
  // Called once a frame.
  void Tick() {
    if (script_.empty()) return;
    if (--script_.front().first > 0) return;
    ++pending_[script_.front().second];
    script_.pop_front();
  }
  bool Done() const { return script_.empty(); }

  void Poll() override {}
  int Count() override { return 1; }
  wnd::TPadState State(int) override {
    wnd::TPadState state;
    state.connected = true;
    return state;
  }
  bool ButtonPressed(TPadButton button) override {
    auto found = pending_.find(button);
    if (found == pending_.end() || found->second == 0) return false;
    --found->second;
    return true;
  }
  void ForgetPresses() override { pending_.clear(); }

 private:
  std::deque<std::pair<int, TPadButton>> script_;
  std::map<TPadButton, int> pending_;
};

// Installs the pad for the test's lifetime and ticks it on every swap.
struct TPadGuard {
  TScriptedPads pads;
  explicit TPadGuard(TScriptedPlatform& p) {
    wnd::SetGamepads(&pads);
    p.onSwap = [this](TScriptedPlatform&) { pads.Tick(); };
  }
  ~TPadGuard() {
    wnd::SetGamepads(nullptr);
    GlPlatform().onSwap = nullptr;
  }
};

constexpr int kSettle = kMenuSettle;

// A course over the winter terrain with one ring far away: the race goes on until left.
std::string FarCourse() {
  const fs::path folder = fs::temp_directory_path() / ("velmora-menukeys-" + std::to_string(::getpid()));
  return WriteWinterCourse(folder, "far", {{0, 195, -900}});
}

// From the open overlay: back to the race for `raceFrames`, the overlay again, then
// "leave the race" pressed with the keys.
void QueueBackToTheRaceAndOut(TScriptedPlatform& p, int raceFrames) {
  p.QueueTap(wnd::KEY_ESC, raceFrames);
  p.QueueTap(wnd::KEY_ESC, 3);
  p.QueueTap(wnd::KEY_RIGHT, 1);
  p.QueueTap(wnd::KEY_ENTER, 3);
}

std::unique_ptr<TTimeAttack> FarRace() {
  T_TrackFile entry;
  entry.heightmapName = "screenplay_data/winter/winter.bmp";
  entry.trackFileName = FarCourse();
  return TTimeAttack::CreateFromTrack(entry, 1024, 768, 255, 0);
}

struct MenuKeysTest : ::testing::Test {
  TScriptedGlPlatform& p = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
  // A menu that misses a key would wait for ever: a few thousand frames are plenty.
  void SetUp() override {
    CurrentSettings() = TSettings{};
    p.maxSwaps = 2000;
  }
  void TearDown() override {
    CurrentSettings() = TSettings{};
    p.maxSwaps = 200000;
  }
};

}  // namespace

// Down only shows the focus (on "Play alone"), Enter presses it; the chooser's focus starts
// on ok; an Enter is read once, so the one that left a face presses nothing on the next.
TEST_F(MenuKeysTest, KeysAloneChooseATrackAndStartATimeAttackRace) {
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  p.QueueTap(wnd::KEY_DOWN, 2);
  p.QueueTap(wnd::KEY_ENTER, kSettle);  // play alone: the turn to the one-player face
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kOnePlayerScreen); });
  p.QueueTap(wnd::KEY_ENTER, kSettle);  // time attack: the chooser fades in
  p.QueueTap(wnd::KEY_LEFT, 2);         // from ok to the previous arrow
  p.QueueTap(wnd::KEY_ENTER, 2);        // the random course
  p.QueueTap(wnd::KEY_DOWN, 2);         // back to ok
  p.QueueTap(wnd::KEY_ENTER, kSettle);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "Time Attack");
  EXPECT_EQ(menu.TrackIndex(), 5);
  EXPECT_EQ(checks.Ran(), 1);
}

// In the overlay the focus starts on "back to the race"; right goes to "leave", left and
// right turn a focused dial a notch, and Escape goes back to the race.
TEST_F(MenuKeysTest, KeysAloneTurnADialAndLeaveTheRaceThroughTheOverlay) {
  auto race = FarRace();
  p.frameMs = 100;
  SetMenuKeysInUse(true);  // as after a menu driven by keys
  TScriptCheckpoints checks(p);
  p.QueueIdle(3);
  p.QueueTap(wnd::KEY_ESC, 3);   // opens the overlay
  p.QueueTap(wnd::KEY_UP, 1);    // back to the race -> effects dial
  p.QueueTap(wnd::KEY_LEFT, 1);  // 255 -> 248
  p.QueueTap(wnd::KEY_LEFT, 1);  // 248 -> 240
  p.QueueTap(wnd::KEY_UP, 1);    // music dial
  p.QueueTap(wnd::KEY_RIGHT, 3); // 255 -> 256
  checks.Here([&] {
    EXPECT_EQ(race->EffectsCell(), 240);
    EXPECT_EQ(race->MusicCell(), 256);
    // The focused dial's ring is lit: the glow picture over the music dial.
    ExpectPictureShown("img/gameOptions/dial_focus.tga", VirtualRect(13, 114, 373, 373), {{0.5, 0.04}},
                       "the music dial's focus ring");
  });
  QueueBackToTheRaceAndOut(p, 12);  // the clock runs again in between
  checks.Arm();
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
  EXPECT_EQ(checks.Ran(), 1);
  EXPECT_LT(race->TimeLeft(), 10);  // the second and more between the two pauses counted
}

// Held, left or right keeps turning the focused dial, after a pause, a notch every 50 ms;
// a tap is still one notch.
TEST_F(MenuKeysTest, AHeldKeyKeepsTurningTheFocusedDial) {
  auto race = FarRace();
  p.frameMs = 20;
  SetMenuKeysInUse(true);
  TScriptCheckpoints checks(p);
  p.QueueIdle(3);
  p.QueueTap(wnd::KEY_ESC, 3);    // opens the overlay
  p.QueueTap(wnd::KEY_UP, 1);     // back to the race -> effects dial
  p.QueueKey(wnd::KEY_LEFT, 50);  // a second: the press, then about 13 repeats
  checks.Here([&] {
    const int repeats = (248 - race->EffectsCell()) / 8;
    EXPECT_GE(repeats, 10);
    EXPECT_LE(repeats, 14);
  });
  p.QueueKey(wnd::KEY_LEFT, 120);  // on to silence, and no further
  checks.Here([&] { EXPECT_EQ(race->EffectsCell(), 0); });
  p.QueueTap(wnd::KEY_RIGHT, 30);
  checks.Here([&] { EXPECT_EQ(race->EffectsCell(), 8); });
  QueueBackToTheRaceAndOut(p, 3);
  checks.Arm();
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
  EXPECT_EQ(checks.Ran(), 3);
  EXPECT_EQ(race->MusicCell(), 255) << "the other dial stays";
}

// The same path with a pad: d-pad, south to press, east to go back.
TEST_F(MenuKeysTest, APadAloneReachesTheRaceAndLeavesItThroughTheOverlay) {
  {
    TPadGuard guard(p);
    TMenu menu(1024, 768);
    guard.pads.Queue(TPadButton::Down, 2);
    guard.pads.Queue(TPadButton::South, 2);
    guard.pads.Queue(TPadButton::South, kSettle);
    guard.pads.Queue(TPadButton::Right, kSettle);  // ok -> back
    guard.pads.Queue(TPadButton::Left, 2);         // back -> ok
    guard.pads.Queue(TPadButton::South, 2);
    p.QueueIdle(2 + 2 + kSettle + kSettle + 2 + 2 + kSettle);
    std::string result;
    menu.RunMenu(result);
    EXPECT_EQ(result, "Time Attack");
    EXPECT_EQ(menu.TrackIndex(), 0);
    EXPECT_TRUE(guard.pads.Done());
  }
  auto race = FarRace();
  p.ClearQueue();
  p.frameMs = 100;
  TPadGuard guard(p);
  // The overlay is opened with Escape here; the pad's Start opens it in a race that reads
  // the pads.
  p.QueueIdle(3);
  p.QueueTap(wnd::KEY_ESC, 40);             // the overlay opens on the fourth frame
  p.QueueTap(wnd::KEY_ESC, 60);             // and again on the 44th
  guard.pads.Queue(TPadButton::East, 10);   // back to the race
  guard.pads.Queue(TPadButton::Right, 20);  // the race reads no menu moves: dropped
  guard.pads.Queue(TPadButton::Right, 20);  // leave
  guard.pads.Queue(TPadButton::South, 2);
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
}

// The focused button shows its focus picture; the others rest. Moving the mouse hands the
// focus back to the pointer, and a key brings it back where the pointer is.
TEST_F(MenuKeysTest, TheFocusedButtonShowsItsFocusPictureAndTheLastUsedPointerWins) {
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  const auto& main = MainButtonLayouts();
  auto rect = [&](int i) { return VirtualRect(main[i].x, main[i].y, main[i].width, main[i].height); };
  const std::vector<std::pair<double, double>> spots = {{0.15, 0.5}, {0.85, 0.5}};
  const int quitX = PixelX(main[3].x + 20), quitY = PixelY(main[3].y + 45);
  p.Queue({{}, quitX, quitY, false}, 2);  // the pointer rests on quit
  checks.Here([&] {
    ExpectPictureShown("img/boutons/main/Quit/focus.tga", rect(3), spots, "quit under the pointer");
    ExpectPictureShown("img/boutons/main/1Player/inactive.tga", rect(0), spots, "play alone at rest");
  });
  p.QueueTap(wnd::KEY_UP, 2);  // the focus shows where the pointer is
  p.QueueTap(wnd::KEY_UP, 2);  // and moves up
  checks.Here([&] {
    ExpectPictureShown("img/boutons/main/options/focus.tga", rect(2), spots, "options focused by the keys");
    ExpectPictureShown("img/boutons/main/Quit/inactive.tga", rect(3), spots, "quit under a resting pointer");
  });
  p.Queue({{}, quitX + 8, quitY, false}, 2);  // the mouse moves: its hover shows again
  checks.Here([&] {
    ExpectPictureShown("img/boutons/main/Quit/focus.tga", rect(3), spots, "quit hovered again");
    ExpectPictureShown("img/boutons/main/options/inactive.tga", rect(2), spots, "options left by the keys");
  });
  p.QueueTap(wnd::KEY_DOWN, 2);
  p.QueueTap(wnd::KEY_ENTER, 2);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 3);
}

namespace {

// Keys from the main menu to the controls screen: options, then the controls button.
void QueueToControls(TScriptedPlatform& p) {
  p.QueueTap(wnd::KEY_DOWN, 2);  // shows the focus on play alone
  p.QueueTap(wnd::KEY_DOWN, 2);
  p.QueueTap(wnd::KEY_DOWN, 2);  // options
  p.QueueTap(wnd::KEY_ENTER, kSettle);
  p.QueueTap(wnd::KEY_DOWN, 2);  // the first minus -> the second minus
  p.QueueTap(wnd::KEY_DOWN, 2);  // load
  p.QueueTap(wnd::KEY_RIGHT, 2);  // controls
  p.QueueTap(wnd::KEY_ENTER, kSettle);
}

// Back to options with Escape, then to the main face and quit.
void QueueLeaveControlsAndQuit(TScriptedPlatform& p) {
  p.QueueTap(wnd::KEY_ESC, 10);
  p.QueueTap(wnd::KEY_LEFT, 2);  // controls -> load
  p.QueueTap(wnd::KEY_DOWN, 2);  // back
  p.QueueTap(wnd::KEY_ENTER, kSettle);
  p.QueueTap(wnd::KEY_DOWN, 2);  // options -> quit
  p.QueueTap(wnd::KEY_ENTER, 2);
}

TScreenRect HintRect() { return VirtualRect(kHintX, kHintY, kHintWidth, kHintHeight); }

// The share of a picture's solid, even places (3 x 3 texels alike) that the frame just
// presented shows in their colour where the picture is stretched over `rect`. Letters are
// too thin for single spots; a whole line of them is told from another line this way.
double ShownShare(const std::string& path, const TScreenRect& rect) {
  const TImage* image = TestPicture(path);
  if (image == nullptr || image->channels != 4) {
    ADD_FAILURE() << "no readable picture " << path;
    return 0.0;
  }
  const std::vector<unsigned char> frame = ReadFrame();
  auto texel = [&](int x, int y, int c) {
    return static_cast<int>(image->pixels[(static_cast<std::size_t>(y) * image->width + x) * 4 + c]);
  };
  int tested = 0, matched = 0;
  for (int ty = 1; ty + 1 < image->height; ty += 2) {
    for (int tx = 1; tx + 1 < image->width; tx += 2) {
      int lo[4] = {255, 255, 255, 255}, hi[4] = {0, 0, 0, 0};
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          for (int c = 0; c < 4; ++c) {
            lo[c] = std::min(lo[c], texel(tx + dx, ty + dy, c));
            hi[c] = std::max(hi[c], texel(tx + dx, ty + dy, c));
          }
      if (lo[3] < 255 || hi[0] - lo[0] > 16 || hi[1] - lo[1] > 16 || hi[2] - lo[2] > 16) continue;
      const int x = static_cast<int>(rect.left + (tx + 0.5) / image->width * rect.width);
      const int yTop = static_cast<int>(rect.top + (1.0 - (ty + 0.5) / image->height) * rect.height);
      const std::size_t at = (static_cast<std::size_t>(767 - yTop) * 1024 + x) * 4;
      const TRgb shown{frame[at], frame[at + 1], frame[at + 2]};
      ++tested;
      if (Near(shown, {texel(tx, ty, 0), texel(tx, ty, 1), texel(tx, ty, 2)}, 40)) ++matched;
    }
  }
  return tested == 0 ? 0.0 : static_cast<double>(matched) / tested;
}

// The hint line shows this sentence, and not the first one (or, for that one, the last).
void ExpectHint(const std::string& picture, const std::string& label) {
  const std::string other = HintPicture(TControlsHint::Choose, 0, TAction::Left) == picture
                                ? HintPicture(TControlsHint::Defaults, 0, TAction::Left)
                                : HintPicture(TControlsHint::Choose, 0, TAction::Left);
  const double shown = ShownShare(picture, HintRect());
  const double otherShown = ShownShare(other, HintRect());
  EXPECT_GT(shown, 0.8) << label;
  EXPECT_LT(otherShown, shown - 0.25) << label << ": the line looks like " << other;
}

}  // namespace

TEST_F(MenuKeysTest, TheControlsScreenRebindsRefusesAKeyTakenAndPutsTheDefaultsBack) {
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  QueueToControls(p);
  checks.Here([&] { ExpectHint(HintPicture(TControlsHint::Choose, 0, TAction::Left), "the first hint"); });
  for (int i = 0; i < 4; ++i) p.QueueTap(wnd::KEY_DOWN, 2);  // player 1's thrust
  p.QueueTap(wnd::KEY_ENTER, 3);
  checks.Here([&] { ExpectHint(HintPicture(TControlsHint::Waiting, 0, TAction::Left), "waiting"); });
  p.QueueTap('T', 3);
  checks.Here([&] {
    EXPECT_EQ(CurrentSettings().controls.keys[0].thrust, 'T');
    ExpectHint(HintPicture(TControlsHint::Kept, 0, TAction::Left), "kept");
    const auto& slot = ControlsButtonLayouts()[4];
    ExpectPictureShown(KeyCapPicture('T'), VirtualRect(slot.x, slot.y, slot.width, slot.height), {{0.5, 0.3}},
                       "the new key's name on its button");
  });
  // W is player 2's nose-down: refused, and the screen still waits; Enter is the menus'.
  p.QueueTap(wnd::KEY_ENTER, 2);
  p.QueueTap('W', 3);
  checks.Here([&] {
    EXPECT_EQ(CurrentSettings().controls.keys[0].thrust, 'T');
    EXPECT_EQ(CurrentSettings().controls.keys[1].noseDown, 'W');
    ExpectHint(HintPicture(TControlsHint::Taken, 2, TAction::NoseDown), "taken by player 2's nose down");
  });
  p.QueueTap(wnd::KEY_ENTER, 3);
  checks.Here([&] { ExpectHint(HintPicture(TControlsHint::Reserved, 0, TAction::Left), "Enter refused"); });
  p.QueueTap(wnd::KEY_DOWN, 3);  // the arrow is a key like any other: taken by player 1's nose up
  checks.Here([&] { ExpectHint(HintPicture(TControlsHint::Taken, 1, TAction::NoseUp), "the arrow refused"); });
  p.QueueTap(wnd::KEY_ESC, 3);  // keeps T, and stays on the screen
  p.QueueTap(wnd::KEY_DOWN, 2);  // player 1's pitch switch
  p.QueueTap(wnd::KEY_ENTER, 3);
  checks.Here([&] {
    EXPECT_EQ(CurrentSettings().controls.keys[0].thrust, 'T');
    EXPECT_TRUE(CurrentSettings().controls.invertPitch[0]);
    EXPECT_FALSE(CurrentSettings().controls.invertPitch[1]);
  });
  p.QueueTap(wnd::KEY_DOWN, 2);  // defaults
  p.QueueTap(wnd::KEY_ENTER, 3);
  checks.Here([&] {
    EXPECT_EQ(CurrentSettings().controls, TControls{});
    ExpectHint(HintPicture(TControlsHint::Defaults, 0, TAction::Left), "defaults");
  });
  QueueLeaveControlsAndQuit(p);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 8);
}

TEST_F(MenuKeysTest, TheControlsScreenWorksWithTheMouseAndItsBackButtonFadesToTheOptions) {
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  const auto& options = OptionsButtonLayouts();
  Click(p, MainButtonLayouts()[2]);
  Click(p, options[kOptionsControls]);
  const auto& left2 = ControlsButtonLayouts()[static_cast<std::size_t>(ControlsKeyButton(2, TAction::Left))];
  Click(p, left2, 2);
  checks.Here([&] {
    ExpectPictureShown("img/controls/slot/waiting.tga", VirtualRect(left2.x, left2.y, left2.width, left2.height),
                       {{0.1, 0.5}}, "the button waiting for its key");
  });
  p.QueueTap('J', 3);
  checks.Here([&] { EXPECT_EQ(CurrentSettings().controls.keys[1].left, 'J'); });
  Click(p, ControlsButtonLayouts()[kControlsInvertFirst + 1], 3);
  checks.Here([&] { EXPECT_TRUE(CurrentSettings().controls.invertPitch[1]); });
  Click(p, ControlsButtonLayouts()[kControlsBack]);
  checks.Here([&] {
    EXPECT_EQ(menu.Screen(), kOptionsScreen);
    ExpectPictureShown(kOptionsBackground, {}, {{0.5, 0.95}}, "the options face after back");
  });
  Click(p, options[7]);
  Click(p, MainButtonLayouts()[3]);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 4);
  EXPECT_EQ(CurrentSettings().controls.keys[1].left, 'J');
}

// The game's names of the keys a player may choose and the content's key pictures agree.
TEST(MenuKeysContent, EveryKeyAPlayerMayChooseHasItsNameDrawn) {
  FreshGlPlatform();
  std::vector<int> codes = {wnd::KEY_UP, wnd::KEY_DOWN, wnd::KEY_LEFT, wnd::KEY_RIGHT};
  for (int code = 32; code <= 96; ++code) codes.push_back(code);
  int named = 0;
  for (int code : codes) {
    if (KeyName(code).empty()) continue;
    ++named;
    EXPECT_NE(TestPicture(KeyCapPicture(code)), nullptr) << KeyName(code);
  }
  EXPECT_EQ(named, 52);
}
