#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "frontend/MenuRules.h"

namespace {

constexpr int kWidth = 1024;
constexpr double kScale = kWidth / 800.0;
const double kInner = 135 * kScale;
const double kOuter = 166 * kScale;
constexpr double kPi = 3.14159265358979323846;

// A point on a dial's ring at `clockwise` degrees from 9 o'clock, as DialRule takes it
// (from the window centre, y up).
void OnRing(bool left, double clockwise, double radius, int& x, int& y) {
  double centre = (left ? -1 : 1) * kWidth / 4.0;
  double a = (clockwise + 180.0) * kPi / 180.0;  // from 3 o'clock, clockwise, y down
  x = static_cast<int>(std::lround(centre + radius * std::cos(a)));
  y = static_cast<int>(std::lround(-radius * std::sin(a)));
}

struct TLevels {
  int music = 100;
  int effects = 200;
  bool changed = false;
};
TLevels Press(int x, int y, bool down = true) {
  TLevels l;
  l.changed = DialRule(x, y, kWidth, kInner, kOuter, down, l.music, l.effects);
  return l;
}

}  // namespace

TEST(OverlayDial, AnglesRunClockwiseOnTheScreenFromThreeOClock) {
  EXPECT_DOUBLE_EQ(DialAngle(10, 0), 0);
  EXPECT_DOUBLE_EQ(DialAngle(0, 10), 90);    // below the centre
  EXPECT_DOUBLE_EQ(DialAngle(-10, 0), 180);
  EXPECT_DOUBLE_EQ(DialAngle(0, -10), 270);  // above
  EXPECT_NEAR(DialAngle(10, -10), -45, 1e-9);
  EXPECT_NEAR(DialAngle(-10, -10), 225, 1e-9);
  EXPECT_NEAR(DialAngle(-10, 10), 135, 1e-9);
}

TEST(OverlayDial, StepsCountClockwiseFromNineOClock) {
  EXPECT_EQ(DialStep(180), 1);       // 9 o'clock
  EXPECT_EQ(DialStep(179.9), 32);    // just before it, going clockwise
  EXPECT_EQ(DialStep(270), 9);       // 12 o'clock
  EXPECT_EQ(DialStep(0), 17);        // 3 o'clock
  EXPECT_EQ(DialStep(-0.5), 17);
  EXPECT_EQ(DialStep(-44.9), 13);    // between 12 and 3 o'clock
  EXPECT_EQ(DialStep(90), 25);       // 6 o'clock
}

TEST(OverlayDial, APressOnTheRingSetsTheLevelOfThatSidesDial) {
  int x = 0, y = 0;
  OnRing(true, 0.5, 190, x, y);
  TLevels nine = Press(x, y);
  EXPECT_TRUE(nine.changed);
  EXPECT_EQ(nine.music, 8);
  EXPECT_EQ(nine.effects, 200);
  OnRing(true, 359.5, 190, x, y);
  EXPECT_EQ(Press(x, y).music, 256);
  OnRing(false, 90.5, 190, x, y);  // 12 o'clock on the right dial
  TLevels right = Press(x, y);
  EXPECT_EQ(right.effects, 9 * 8);
  EXPECT_EQ(right.music, 100);
  // Without the button nothing moves.
  EXPECT_FALSE(Press(x, y, false).changed);
}

TEST(OverlayDial, OnlyTheRingReacts) {
  int x = 0, y = 0;
  // Pixels are whole, so the test keeps 1.5 pixels from either edge.
  for (double radius : {kInner - 1.5, kInner - 4, kOuter + 1.5, kOuter + 5, 20.0}) {
    OnRing(true, 45, radius, x, y);
    TLevels l = Press(x, y);
    EXPECT_FALSE(l.changed) << radius;
    EXPECT_EQ(l.music, 100);
    EXPECT_EQ(l.effects, 200);
  }
  OnRing(true, 45, kInner + 1.5, x, y);
  EXPECT_TRUE(Press(x, y).changed);
  OnRing(true, 45, kOuter - 1.5, x, y);
  EXPECT_TRUE(Press(x, y).changed);
}

TEST(OverlayDial, TheLeftHalfOfTheWindowNeverTouchesTheEffects) {
  for (int x = -512; x < 0; x += 7) {
    for (int y = -384; y <= 384; y += 11) {
      TLevels l = Press(x, y);
      ASSERT_EQ(l.effects, 200) << x << "," << y;
    }
  }
  for (int x = 0; x < 512; x += 7) {
    for (int y = -384; y <= 384; y += 11) ASSERT_EQ(Press(x, y).music, 100) << x << "," << y;
  }
}

TEST(OverlayDial, ASweepAlongTheRingPassesEveryLevelInOrder) {
  std::set<int> seen;
  int last = 0;
  for (double a = 0.2; a < 360; a += 0.5) {
    int x = 0, y = 0;
    OnRing(false, a, 190, x, y);
    TLevels l = Press(x, y);
    ASSERT_TRUE(l.changed);
    EXPECT_GE(l.effects, last);
    EXPECT_EQ(l.effects % 8, 0);
    last = l.effects;
    seen.insert(l.effects);
  }
  EXPECT_EQ(seen.size(), 32u);
  EXPECT_EQ(*seen.begin(), 8);
  EXPECT_EQ(*seen.rbegin(), 256);
}

TEST(OverlayDial, NotchesShowTheLevelInThirtySeconds) {
  EXPECT_EQ(NotchesFor(255), 31);
  EXPECT_EQ(NotchesFor(256), 32);
  EXPECT_EQ(NotchesFor(0), 0);
  EXPECT_EQ(NotchesFor(8), 1);
  EXPECT_EQ(NotchesFor(7), 0);
  EXPECT_EQ(NotchesFor(-40), 0);
  EXPECT_EQ(NotchesFor(1000), 32);
}
