#include <gtest/gtest.h>

#include "modes/RaceRules.h"

TEST(RaceRules, TheClockCountsAtMostOneSecondAFrameAndMovesItsMarkToThePresent) {
  TRaceClock clock;
  clock.Start(10, 5000);
  EXPECT_FALSE(clock.Tick(5999));
  EXPECT_TRUE(clock.Tick(6000));
  EXPECT_EQ(clock.timeLeft, 9);
  // A frame that took 3.5 s still counts one second, and the next needs 1000 ms more.
  EXPECT_TRUE(clock.Tick(9500));
  EXPECT_EQ(clock.timeLeft, 8);
  EXPECT_FALSE(clock.Tick(10499));
  EXPECT_TRUE(clock.Tick(10500));
  EXPECT_EQ(clock.timeLeft, 7);
  // The tick count wrapping past 2^32 does not stop the clock.
  clock.Start(3, 0xFFFFFF00u);
  EXPECT_TRUE(clock.Tick(0x000002F0u));
  EXPECT_EQ(clock.timeLeft, 2);
}

TEST(RaceRules, TheTitleShowsTheFramesOfTheLastSecondOrSo) {
  TFrameRateCounter counter;
  counter.Start(0);
  for (std::uint32_t t = 16; t <= 1000; t += 16) EXPECT_FALSE(counter.Frame(t).has_value());
  auto title = counter.Frame(1008);
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(*title, "Velmora (FPS : 63)");
  EXPECT_FALSE(counter.Frame(1024).has_value());
}

TEST(RaceRules, RunningWinningAndScoring) {
  EXPECT_TRUE(RaceRunning(0, 3, 2));
  EXPECT_FALSE(RaceRunning(-1, 3, 0));
  EXPECT_FALSE(RaceRunning(5, 3, 3));
  EXPECT_FALSE(RaceRunning(5, 0, 0));  // no rings: over in the first frame, as a win
  EXPECT_TRUE(RaceWon(0, 0));
  EXPECT_TRUE(RaceWon(3, 3));
  EXPECT_FALSE(RaceWon(3, 2));
  EXPECT_EQ(RaceScore(0, 0, -1, false), 0);      // time out: no bonus
  EXPECT_EQ(RaceScore(3, 120, 4, false), 155);   // 30 + 120 + 4 + 1
  EXPECT_EQ(RaceScore(2, 0, 7, true), 20);       // left through the overlay
  EXPECT_EQ(RaceScore(0, 40, 10, false), 51);    // no rings: initial time + 1 + base
  EXPECT_EQ(RaceResult("MENU", true), "MENUW");
  EXPECT_EQ(RaceResult("", false), "MENUL");
  EXPECT_EQ(RaceResult("RETURN GAME", false), "MENUL");
  EXPECT_EQ(RaceResult("MENU RETURN", false), "MENU RETURNL");
}

TEST(RaceRules, AFadeTakesMoreThanAHundredFramesHoweverFastTheyCome) {
  // A fade frame draws, steps with the tick count read in that frame, then swaps (and
  // the clock moves on).
  for (std::uint32_t frameMs : {1u, 5u, 16u, 200u}) {
    TFade fade;
    std::uint32_t now = 7000;
    fade.Start(0.0, now);
    int frames = 0;
    while (fade.value <= 1.0) {
      ++frames;
      fade.Step(now, 0.01);
      now += frameMs;
    }
    EXPECT_GT(frames, 100) << frameMs << " ms a frame";
    EXPECT_GE((now - 7000), 500u) << frameMs << " ms a frame";
  }
}

TEST(RaceRules, TheWindFollowsTheSpeedWithinTheEffectsVolume) {
  EXPECT_EQ(WindVolume(4.0, 255), 63);
  EXPECT_EQ(WindVolume(21.0, 255), 255);
  EXPECT_EQ(WindVolume(21.0, 256), 255);  // the overlay's top notch is 256
  EXPECT_EQ(WindVolume(12.5, 0), 0);
  EXPECT_LT(WindVolume(8.0, 200), WindVolume(16.0, 200));
}
