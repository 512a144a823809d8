// Pads through SDL's real game-controller path: SDL's virtual joystick stands in for a pad
// plugged into the machine, and the game reads it as it reads any other. A pad plugged in
// mid-race thrusts and turns the craft, pulled out it holds nothing, its Start pauses the
// race like Escape; pads keep the order they were plugged in; a stick flicked to an edge is
// one menu press.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "frontend/Umenu.h"
#include "modes/PadSeats.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/SdlGamepads.h"
#include "tests/gl/GlTestSupport.h"

namespace {

// A pad as SDL's virtual joystick driver makes it: a game controller whose buttons and
// axes are numbered as SDL's controller buttons and axes.
class TVirtualPad {
 public:
  TVirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Velmora test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) joystick_ = SDL_JoystickOpen(index);
    // A virtual trigger starts half pressed (its raw 0 is the middle of its travel); a real
    // pad's rests released.
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -1.0);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -1.0);
  }
  ~TVirtualPad() { PullOut(); }
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  bool Attached() const { return joystick_ != nullptr; }
  void Axis(SDL_GameControllerAxis axis, double lean) {
    const double raw = lean < 0 ? lean * 32768 : lean * 32767;
    if (joystick_) SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(raw));
  }
  void Button(SDL_GameControllerButton button, bool down) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  // The joystick index moves as other pads go, so it is found again by the pad's own id.
  void PullOut() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};

// The game's pads installed for one test; the test's virtual pads go before them.
struct GamepadTest : ::testing::Test {
  TSdlGamepads pads;
  wnd::TGamepadsGuard guard{pads};
  void SetUp() override { ASSERT_TRUE(pads.Started()); }
};

// Whether a menu reading the button now finds it pressed.
int Presses(TSdlGamepads& pads, wnd::TPadButton button) { return pads.ButtonPressed(button) ? 1 : 0; }

bool NoKeysHeld(const TPlayerKeys& keys) {
  return !(keys.left || keys.right || keys.noseDown || keys.noseUp || keys.thrust);
}

}  // namespace

TEST_F(GamepadTest, PadsComeInTheOrderTheyWerePluggedAndGoWhenPulledOut) {
  pads.Poll();
  EXPECT_EQ(pads.Count(), 0);
  EXPECT_FALSE(pads.State(0).connected);
  TVirtualPad first, second;
  ASSERT_TRUE(first.Attached() && second.Attached());
  first.Axis(SDL_CONTROLLER_AXIS_LEFTX, -1.0);
  first.Button(SDL_CONTROLLER_BUTTON_A, true);
  second.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0);
  second.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  // SDL's virtual driver hands a new pad's first values over one update after it is found.
  pads.Poll();
  pads.Poll();
  ASSERT_EQ(pads.Count(), 2);
  wnd::TPadState state = pads.State(0);
  EXPECT_TRUE(state.connected && state.south && !state.dpadDown);
  EXPECT_DOUBLE_EQ(state.leftX, -1.0);
  EXPECT_DOUBLE_EQ(state.rightTrigger, 0.0);
  state = pads.State(1);
  EXPECT_TRUE(state.connected && state.dpadDown && !state.south);
  EXPECT_DOUBLE_EQ(state.rightTrigger, 1.0);
  EXPECT_DOUBLE_EQ(state.leftX, 0.0);

  first.PullOut();
  // Pulled out before its event was read: it already holds nothing.
  EXPECT_FALSE(pads.State(0).connected);
  pads.Poll();
  ASSERT_EQ(pads.Count(), 1);
  EXPECT_TRUE(pads.State(0).dpadDown);  // the second is the first now
  second.PullOut();
  pads.Poll();
  EXPECT_EQ(pads.Count(), 0);
}

TEST_F(GamepadTest, AStickFlickedToAnEdgeIsOneMenuPressUntilItComesBack) {
  TVirtualPad pad;
  pads.Poll();
  pads.ForgetPresses();
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -0.9);
  pads.Poll();
  EXPECT_EQ(Presses(pads, wnd::TPadButton::Up), 1);
  // Held, then wavering short of the release edge: no second press.
  for (double lean : {-0.95, -0.5, -0.9, -0.45}) {
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, lean);
    pads.Poll();
  }
  EXPECT_EQ(Presses(pads, wnd::TPadButton::Up), 0);
  // A lean short of the press edge presses nothing.
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0.0);
  pads.Poll();
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0.5);
  pads.Poll();
  EXPECT_EQ(Presses(pads, wnd::TPadButton::Right), 0);
  // Each flick there and back is one press, read once.
  for (int flick = 0; flick < 3; ++flick) {
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 1.0);
    pads.Poll();
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0.0);
    pads.Poll();
    EXPECT_EQ(Presses(pads, wnd::TPadButton::Right), 1) << flick;
    EXPECT_EQ(Presses(pads, wnd::TPadButton::Right), 0) << flick;
  }
  EXPECT_EQ(Presses(pads, wnd::TPadButton::Left) + Presses(pads, wnd::TPadButton::Down), 0);
  // The d-pad and the south, east and Start buttons press once each; a screen that starts
  // forgets what was pressed before it.
  for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_A,
                                          SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START}) {
    pad.Button(button, true);
    pads.Poll();
    pad.Button(button, false);
    pads.Poll();
  }
  EXPECT_EQ(Presses(pads, wnd::TPadButton::Left), 1);
  EXPECT_EQ(Presses(pads, wnd::TPadButton::South), 1);
  pads.ForgetPresses();
  EXPECT_EQ(Presses(pads, wnd::TPadButton::East) + Presses(pads, wnd::TPadButton::Start), 0);
}

// Through one split-screen race: the only pad goes to player 2 while player 1 keeps the
// keyboard; a pad plugged in later goes to player 1, who has none; when player 2's pad is
// pulled out, player 1 keeps flying with the other. SDL numbers the pads afresh as one
// goes, so the race keeps each pad by SDL's id for it.
TEST_F(GamepadTest, EachPlayerKeepsItsPadThroughASplitRaceWhilePadsComeAndGo) {
  const auto noKey = [](int) { return false; };
  TPadSeats seats;
  auto read = [&] {
    pads.Poll();
    pads.Poll();
    return ReadRaceKeys(seats, TRaceKind::kSplitScreen, noKey, false);
  };
  TVirtualPad first;
  first.Button(SDL_CONTROLLER_BUTTON_A, true);
  TRaceKeys keys = read();
  EXPECT_TRUE(keys.letters.thrust);
  EXPECT_FALSE(keys.arrows.thrust);  // player 1 keeps the keyboard
  {
    TVirtualPad second;
    second.Axis(SDL_CONTROLLER_AXIS_LEFTX, 1.0);
    keys = read();
    EXPECT_TRUE(keys.arrows.right && !keys.arrows.thrust);
    EXPECT_TRUE(keys.letters.thrust && !keys.letters.right);
  }
  keys = read();  // the second pad pulled out: the first stays with player 2
  EXPECT_TRUE(NoKeysHeld(keys.arrows));
  EXPECT_TRUE(keys.letters.thrust);
  TVirtualPad third;
  third.Axis(SDL_CONTROLLER_AXIS_LEFTY, -1.0);
  keys = read();
  EXPECT_TRUE(keys.arrows.noseDown);
  EXPECT_TRUE(keys.letters.thrust && !keys.letters.noseDown);
  first.PullOut();
  keys = read();  // player 1's pad is now SDL's first: it does not pass to player 2
  EXPECT_TRUE(keys.arrows.noseDown);
  EXPECT_TRUE(NoKeysHeld(keys.letters));
  // A new race shares the pads afresh: alone on the course, the pilot flies with the first.
  TPadSeats alone;
  EXPECT_TRUE(ReadRaceKeys(alone, TRaceKind::kTimeAttack, noKey, false).arrows.noseDown);
}

namespace {

// A race of the game (the default course) with the pads read by the shell's own path:
// the platform polls them with its events, the race reads them with the keyboard.
struct GamepadRaceTest : GamepadTest {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
  void SetUp() override {
    GamepadTest::SetUp();
    platform.frameMs = 100;
  }
};

struct TFlight {
  double speed = 0.0;
  double yaw = 0.0;
};

}  // namespace

TEST_F(GamepadRaceTest, APadPluggedInMidRaceFliesTheCraftPulledOutHoldsNothingAndItsStartPauses) {
  auto race = TTimeAttack::CreateDefault(1024, 768, 0);
  std::unique_ptr<TVirtualPad> pad;
  std::vector<TFlight> flight;
  const int plugged = 5, pulled = 20, pluggedAgain = 40, start = 42;
  platform.onSwap = [&](TScriptedPlatform& p) {
    const int frame = static_cast<int>(p.swaps);
    flight.push_back({race->Physics().Speed(1), race->Physics().Rotation(1).y});
    if (frame == plugged || frame == pluggedAgain) pad = std::make_unique<TVirtualPad>();
    if (frame == plugged) {
      pad->Button(SDL_CONTROLLER_BUTTON_A, true);
      pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, -1.0);
    }
    if (frame == pulled) pad.reset();  // thrust and stick still held
    if (pad && frame == start) pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    if (pad && frame == start + 2) pad->Button(SDL_CONTROLLER_BUTTON_START, false);
  };
  // The overlay's leave button: virtual (626, 487), 156 x 99, scaled by 1024 / 800.
  platform.QueueIdle(start + 8);
  platform.QueueClick(static_cast<int>(704 * 1.28), static_cast<int>(536 * 1.28));
  std::string result;
  race->Run(0, result);
  pad.reset();
  platform.onSwap = nullptr;
  ASSERT_GT(flight.size(), static_cast<size_t>(pluggedAgain));
  // Before the pad: the craft hovers on its heading.
  EXPECT_EQ(flight[plugged - 1].speed, kRestSpeed);
  EXPECT_EQ(flight[plugged - 1].yaw, 0.0);
  // Plugged in: the south button thrusts and the stick turns it left.
  EXPECT_GE(flight[pulled - 1].speed, kRestSpeed + 10);
  EXPECT_LE(flight[pulled - 1].yaw, -10 * kTurnStep);
  // Pulled out: it coasts back to rest, and turns no more.
  EXPECT_LT(flight[pulled + 6].speed, flight[pulled + 3].speed);
  EXPECT_EQ(flight[pluggedAgain - 1].speed, kRestSpeed);
  EXPECT_EQ(flight[pluggedAgain - 1].yaw, flight[pulled + 3].yaw);
  // Start opened the overlay, whose leave button ended the race.
  EXPECT_EQ(result, "MENU RETURNL");
}

// The menus and the overlay through SDL's own path, with no keyboard and no mouse: a
// virtual pad's d-pad and south button choose a track and start a time attack, its Start
// opens the race's overlay, and its d-pad and south button leave the race. The pads are
// polled once a frame, as the shell's platform does with its events.
TEST_F(GamepadRaceTest, AVirtualPadAloneReachesATimeAttackAndLeavesItThroughTheOverlay) {
  TVirtualPad pad;
  ASSERT_TRUE(pad.Attached());
  pads.Poll();
  pads.Poll();
  ASSERT_EQ(pads.Count(), 1);
  std::vector<std::tuple<long, SDL_GameControllerButton, bool>> script;
  long at = platform.swaps;
  auto tap = [&](long wait, SDL_GameControllerButton button) {
    at += wait;
    script.emplace_back(at, button, true);
    script.emplace_back(at + 1, button, false);
  };
  platform.onSwap = [&](TScriptedPlatform& p) {
    for (const auto& [frame, button, down] : script) {
      if (frame == p.swaps) pad.Button(button, down);
    }
    pads.Poll();
  };
  platform.maxSwaps = platform.swaps + 4000;  // a press the menu missed ends here, not never
  constexpr long kSettle = kMenuSettle;
  tap(3, SDL_CONTROLLER_BUTTON_DPAD_DOWN);     // shows the focus on "Play alone"
  tap(3, SDL_CONTROLLER_BUTTON_A);             // the one-player face
  tap(kSettle, SDL_CONTROLLER_BUTTON_A);       // time attack: the chooser, focus on ok
  tap(kSettle, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);  // ok -> back
  tap(3, SDL_CONTROLLER_BUTTON_DPAD_LEFT);     // back -> ok
  tap(3, SDL_CONTROLLER_BUTTON_A);             // take off
  platform.QueueIdle(static_cast<int>(at - platform.swaps) + kSettle);
  std::string result;
  {
    TMenu menu(1024, 768);
    menu.RunMenu(result);
    EXPECT_EQ(result, "Time Attack");
    EXPECT_EQ(menu.TrackIndex(), 0);
  }
  ASSERT_EQ(result, "Time Attack");
  platform.ClearQueue();
  auto race = TTimeAttack::CreateDefault(1024, 768, 0);
  script.clear();
  at = platform.swaps;
  tap(4, SDL_CONTROLLER_BUTTON_START);       // opens the overlay, focus on "back to the race"
  tap(4, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);  // -> "leave"
  tap(4, SDL_CONTROLLER_BUTTON_A);           // leaves
  platform.QueueIdle(static_cast<int>(at - platform.swaps) + 400);
  result.clear();
  race->Run(0, result);
  platform.onSwap = nullptr;
  EXPECT_EQ(result, "MENU RETURNL");
}
