// Keys of the player's choosing and pads turned into keys: no key ever flies two actions,
// the settings file keeps the choice, and a pad obeys the keyboard's rules.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/KeyNames.h"
#include "platform/Window.h"
#include "saves/Settings.h"
#include "world/Controls.h"

namespace {

std::set<int> HeldSet;
bool Held(int code) { return HeldSet.count(code) > 0; }

// Every key of both players once: false when one serves two actions.
bool NoKeyTwice(const TControls& controls) {
  std::set<int> seen;
  for (const TPlayerKeyCodes& codes : controls.keys) {
    for (TAction action : kActions) {
      if (!seen.insert(KeyOf(codes, action)).second) return false;
    }
  }
  return true;
}

}  // namespace

TEST(Controls, KeyNamesReadBackAndOnlyKeysTheWindowReportsHaveOne) {
  for (int code : {int(wnd::KEY_SPACE), int(wnd::KEY_LEFT), int('A'), int('Z'), int('0'), int('-'), int('`')}) {
    ASSERT_FALSE(KeyName(code).empty()) << code;
    EXPECT_EQ(KeyFromName(KeyName(code)), code);
  }
  EXPECT_EQ(KeyFromName("space"), wnd::KEY_SPACE);
  EXPECT_EQ(KeyFromName("q"), 'Q');
  EXPECT_EQ(KeyFromName(""), -1);
  EXPECT_EQ(KeyFromName("SPACEBAR"), -1);
  EXPECT_EQ(KeyName('a'), "");  // lower case is not a key code
  EXPECT_EQ(KeyName(1000), "");
}

TEST(Controls, ARebindNeverDoublesAKeyAndLeavesTheGamesOwnKeysAlone) {
  TControls controls;
  TRebindResult result = Rebind(controls, 1, TAction::Thrust, 'T');
  EXPECT_TRUE(result.kept);
  EXPECT_EQ(controls.keys[0].thrust, 'T');
  // 'W' is player 2's nose down: refused, and the refusal names it.
  result = Rebind(controls, 1, TAction::Left, 'W');
  EXPECT_FALSE(result.kept);
  EXPECT_EQ(result.takenByPlayer, 2);
  EXPECT_EQ(result.takenBy, TAction::NoseDown);
  EXPECT_EQ(controls.keys[0].left, wnd::KEY_LEFT);
  // The action's own key again is no conflict; another of the same player's is.
  EXPECT_TRUE(Rebind(controls, 1, TAction::Thrust, 'T').kept);
  result = Rebind(controls, 1, TAction::Thrust, wnd::KEY_UP);
  EXPECT_FALSE(result.kept);
  EXPECT_EQ(result.takenByPlayer, 1);
  EXPECT_EQ(result.takenBy, TAction::NoseDown);
  for (int code : {int(wnd::KEY_ESC), int(wnd::KEY_ENTER), 1000}) {
    result = Rebind(controls, 2, TAction::Thrust, code);
    EXPECT_FALSE(result.kept);
    EXPECT_TRUE(result.reserved);
  }
  EXPECT_TRUE(NoKeyTwice(controls));
}

TEST(Controls, TheChosenKeysAndAnInvertedPitchFlyTheCraft) {
  TControls controls;
  ASSERT_TRUE(Rebind(controls, 1, TAction::Thrust, 'T').kept);
  controls.invertPitch[0] = true;
  HeldSet = {'T', wnd::KEY_UP};
  TPlayerKeys keys = ReadControls(controls, 1, Held);
  EXPECT_TRUE(keys.thrust);
  EXPECT_TRUE(keys.noseUp);  // the up arrow pitches the other way
  EXPECT_FALSE(keys.noseDown);
  HeldSet = {wnd::KEY_SPACE, 'W'};
  keys = ReadControls(controls, 1, Held);
  EXPECT_FALSE(keys.thrust);  // the old key no longer thrusts
  keys = ReadControls(controls, 2, Held);
  EXPECT_TRUE(keys.noseDown);  // player 2 is not inverted
}

TEST(Controls, APadPastItsDeadZoneIsTheKeyHeld) {
  TPadState pad;
  pad.connected = true;
  pad.leftX = -0.3;
  pad.leftY = -0.5;
  TPlayerKeys keys = PadKeys(pad, 0.35, false);
  EXPECT_FALSE(keys.left);     // inside the dead zone
  EXPECT_TRUE(keys.noseDown);  // forward, as the up arrow
  EXPECT_FALSE(keys.thrust);
  pad.leftX = -0.36;
  pad.rightTrigger = 0.9;
  keys = PadKeys(pad, 0.35, true);
  EXPECT_TRUE(keys.left);
  EXPECT_TRUE(keys.noseUp);  // inverted
  EXPECT_TRUE(keys.thrust);
  pad.rightTrigger = 0.0;
  pad.south = true;
  pad.dpadRight = true;
  keys = PadKeys(pad, 0.35, false);
  EXPECT_TRUE(keys.thrust);
  EXPECT_TRUE(keys.right);
  pad.connected = false;  // a pad pulled out holds nothing
  keys = PadKeys(pad, 0.35, false);
  EXPECT_FALSE(keys.left || keys.right || keys.noseDown || keys.noseUp || keys.thrust);
  const TPlayerKeys both = EitherKeys({true, false, false, false, false}, {false, false, false, false, true});
  EXPECT_TRUE(both.left && both.thrust && !both.right);
}

TEST(Controls, TheSettingsFileKeepsTheControlsAndNeverDoublesAKey) {
  TSettings settings;
  ASSERT_TRUE(Rebind(settings.controls, 1, TAction::Thrust, 'T').kept);
  settings.controls.invertPitch[1] = true;
  settings.controls.deadZone = 0.2;
  TSettings read;
  std::vector<std::string> notes;
  ParseSettings(FormatSettings(settings), "settings.ini", read, notes);
  EXPECT_TRUE(notes.empty()) << notes.front();
  EXPECT_EQ(read, settings);

  // An unknown key name keeps the default; a key given twice goes back to its default,
  // the later line first, even when the first one came from a default.
  TSettings hand;
  ParseSettings("p1_thrust = BANANA\np2_left = W\np1_left = Q\np2_right = Q\np1_right = a\npad_dead_zone = 2\n",
                "settings.ini", hand, notes);
  ASSERT_EQ(notes.size(), 5u) << notes.back();
  EXPECT_EQ(hand.controls.keys[0].thrust, wnd::KEY_SPACE);
  EXPECT_EQ(hand.controls.keys[1].left, 'A');   // W is player 2's nose down
  EXPECT_EQ(hand.controls.keys[0].left, 'Q');   // line 3 came first
  EXPECT_EQ(hand.controls.keys[1].right, 'D');  // line 4 wanted Q
  EXPECT_EQ(hand.controls.keys[0].right, wnd::KEY_RIGHT);  // A is player 2's left again
  EXPECT_DOUBLE_EQ(hand.controls.deadZone, kDefaultDeadZone);
  EXPECT_NE(notes[0].find("settings.ini:1:"), std::string::npos) << notes[0];
  EXPECT_TRUE(NoKeyTwice(hand.controls));
}
