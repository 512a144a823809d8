#include <gtest/gtest.h>

#include "world/HudLayout.h"

namespace {

std::vector<int> Digits(int value, int slots) {
  TDigits_array a(static_cast<std::size_t>(slots), -1);
  FillDigits(value, a);
  return a;
}

double Angle(T_point target, T_point player, double yaw) {
  TCompassData c;
  c.target = target;
  c.player = player;
  c.rotation = {0, yaw, 0};
  return ArrowAngle(c);
}

}  // namespace

TEST(WorldHud, DigitsKeepLeadingZerosAndTheLastDigits) {
  EXPECT_EQ(Digits(30, 5), (std::vector<int>{0, 0, 0, 3, 0}));
  EXPECT_EQ(Digits(3 * 10 + 120, 5), (std::vector<int>{0, 0, 1, 5, 0}));
  EXPECT_EQ(Digits(7, 2), (std::vector<int>{0, 7}));
  EXPECT_EQ(Digits(0, 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(Digits(125, 2), (std::vector<int>{2, 5}));
  EXPECT_EQ(Digits(1234567, 5), (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(Digits(-1, 2), (std::vector<int>{0, 0})) << "the last frame out of time";
  EXPECT_EQ(Digits(-2147483647 - 1, 2), (std::vector<int>{0, 0}));
  EXPECT_TRUE(Digits(5, 0).empty());
}

TEST(WorldHud, LayoutOfAFullScreen) {
  TImg timer = TimerPanelImg(1024, 768);
  EXPECT_EQ(timer.path, "img/timer.tga");
  EXPECT_NEAR(timer.y + timer.dy, 324.2, 1e-9);
  EXPECT_NEAR(timer.width * timer.scale, 177.6, 1e-9);
  TImg lantern = LanternPanelImg(1024, 768);
  EXPECT_EQ(lantern.path, "img/lanternes_score.tga");
  EXPECT_NEAR(lantern.x + lantern.dx, -340.2, 1e-9);
  EXPECT_NEAR(lantern.y + lantern.dy, 317.2, 1e-9);
  EXPECT_NEAR(lantern.height * lantern.scale, 123.6, 1e-9);

  TScore_numbers timerDigits = TimerDigitImgs(1024, 768);
  EXPECT_EQ(timerDigits[7].path, "img/timer_numbers_/7.tga");
  TSlotPlace t0 = DigitSlotPlace(timerDigits[0], 0, kTimerSpacing);
  TSlotPlace t1 = DigitSlotPlace(timerDigits[0], 1, kTimerSpacing);
  EXPECT_NEAR(t0.x, -63.6, 1e-9);
  EXPECT_NEAR(t1.x, -24.4, 1e-9);
  EXPECT_NEAR(t0.y, 328.6, 1e-9);
  EXPECT_NEAR(t0.width, 39.2, 1e-9);
  EXPECT_NEAR(t0.height, 50.8, 1e-9);

  TScore_numbers scoreDigits = ScoreDigitImgs(1024, 768);
  EXPECT_EQ(scoreDigits[0].path, "img/score_numbers_/0.tga");
  const double xs[5] = {-454.5, -397.5, -340.5, -283.5, -226.5};
  for (int slot = 0; slot < 5; ++slot) {
    TSlotPlace p = DigitSlotPlace(scoreDigits[0], slot, kScoreSpacing);
    EXPECT_NEAR(p.x, xs[slot], 1e-9);
    EXPECT_NEAR(p.y, 314.5, 1e-9);
    EXPECT_NEAR(p.width, 57, 1e-9);
    EXPECT_NEAR(p.height, 129, 1e-9);
  }
}

TEST(WorldHud, SplitScreenLayoutFollowsTheHalfHeightViewport) {
  TImg timer = TimerPanelImg(1024, 384);
  EXPECT_NEAR(timer.y + timer.dy, (384 - 99.6) / 2 - 10, 1e-9);
  TSlotPlace score = DigitSlotPlace(ScoreDigitImgs(1024, 384)[0], 0, kScoreSpacing);
  EXPECT_NEAR(score.y, (384 - 129) / 2.0 - 5, 1e-9);
  TArrowPlace full = ArrowPlace(false);
  TArrowPlace split = ArrowPlace(true);
  EXPECT_EQ(full.translate.y, 0.28);
  EXPECT_EQ(split.translate.y, 0.24);
  EXPECT_EQ(split.scale.y, 2 * full.scale.y);
  EXPECT_EQ(split.scale.x, full.scale.x);
  EXPECT_EQ(full.translate.z, -2.5);
}

TEST(WorldHud, CompassAngleTable) {
  T_point me{10, 50, 10};
  EXPECT_EQ(Angle({10, 0, -90}, me, 0), 0.0);     // straight ahead along -z
  EXPECT_EQ(Angle({110, 0, 10}, me, 0), -90.0);   // to the +x side
  EXPECT_EQ(Angle({-90, 0, 10}, me, 0), 90.0);    // to the -x side
  EXPECT_EQ(Angle({10, 0, 110}, me, 0), 180.0);   // behind
  EXPECT_NEAR(Angle({110, 0, -90}, me, 0), -45.0, 1e-9);
  EXPECT_NEAR(Angle({-90, 0, 110}, me, 0), 135.0, 1e-9);
  EXPECT_EQ(Angle({10, 0, -90}, me, 30), 30.0);   // the player's yaw adds
  EXPECT_EQ(Angle({10, 999, 10}, me, 0), 180.0);  // right above: no direction
}

TEST(WorldHud, CompassAimsAtTheCurrentRingThenTheLast) {
  TRing_tab rings(3);
  for (int i = 0; i < 3; ++i) rings[static_cast<std::size_t>(i)].origin = {double(i), 0, 0};
  EXPECT_EQ(CompassTarget(rings, 0).x, 0.0);
  EXPECT_EQ(CompassTarget(rings, 2).x, 2.0);
  EXPECT_EQ(CompassTarget(rings, 3).x, 2.0);
  EXPECT_EQ(CompassTarget(TRing_tab{}, 0).x, 0.0);
}
