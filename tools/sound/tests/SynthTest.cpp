#include <gtest/gtest.h>

#include <cmath>

#include "tools/sound/Synth.h"

TEST(SoundgenSynth, PitchesFollowEqualTemperament) {
  EXPECT_DOUBLE_EQ(PitchToHertz(69.0), 440.0);
  EXPECT_NEAR(PitchToHertz(81.0), 880.0, 1e-9);
  EXPECT_NEAR(PitchToHertz(60.0), 261.6256, 1e-3);
}

TEST(SoundgenSynth, SineTableMatchesTheLibrary) {
  for (int i = 0; i < 1000; ++i) {
    const double phase = i / 1000.0;
    EXPECT_NEAR(Sine(phase), std::sin(2.0 * kPi * phase), 1e-5);
  }
}

TEST(SoundgenSynth, EnvelopeRisesHoldsAndFades) {
  const TAdsr env{0.1, 0.2, 0.5, 0.4};
  EXPECT_NEAR(env.Level(0.05, 1.0), 0.5, 1e-12);
  EXPECT_NEAR(env.Level(0.2, 1.0), 0.75, 1e-12);
  EXPECT_NEAR(env.Level(0.8, 1.0), 0.5, 1e-12);
  EXPECT_NEAR(env.Level(1.2, 1.0), 0.25, 1e-12);
  EXPECT_NEAR(env.Level(1.4, 1.0), 0.0, 1e-12);
  EXPECT_EQ(env.Level(1.5, 1.0), 0.0);
  EXPECT_EQ(env.Level(-0.1, 1.0), 0.0);
  // Released during the attack: fades from where it got to.
  EXPECT_NEAR(env.Level(0.05, 0.05), 0.5, 1e-12);
  EXPECT_NEAR(env.Level(0.25, 0.05), 0.25, 1e-12);
}

TEST(SoundgenSynth, LowPassKeepsLowNotesAndDampsHighOnes) {
  auto level = [](double hz) {
    TSvf filter;
    filter.Tune(500.0, 0.2, 32000.0);
    double peak = 0.0;
    for (int i = 0; i < 32000; ++i) {
      const double out = filter.Process(std::sin(2.0 * kPi * hz * i / 32000.0)).low;
      if (i > 16000) peak = std::max(peak, std::fabs(out));
    }
    return peak;
  };
  EXPECT_NEAR(level(100.0), 1.0, 0.1);
  EXPECT_LT(level(8000.0), 0.01);
}

TEST(SoundgenSynth, NoiseIsRepeatableAndCentred) {
  TNoise a(42), b(42), c(43);
  double sum = 0.0;
  bool differs = false;
  for (int i = 0; i < 100000; ++i) {
    const double x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs = differs || x != c.Next();
    ASSERT_GE(x, -1.0);
    ASSERT_LT(x, 1.0);
    sum += x;
  }
  EXPECT_TRUE(differs);
  EXPECT_LT(std::fabs(sum / 100000.0), 0.02);
}

TEST(SoundgenSynth, LoopedProcessingLeavesNoSeam) {
  // A square wave through a slow smoothing filter: run once, the start would begin from
  // rest while the end is mid-swing.
  std::vector<float> square(1000);
  for (size_t i = 0; i < square.size(); ++i) square[i] = i < 500 ? 1.0f : -1.0f;
  double state = 0.0;
  ProcessLooped(square, [&](double x) { return state += 0.01 * (x - state); });
  double largestStep = 0.0;
  for (size_t i = 1; i < square.size(); ++i) largestStep = std::max(largestStep, std::fabs(square[i] - square[i - 1] + 0.0));
  EXPECT_LE(std::fabs(square.front() - square.back()), largestStep * 1.01);
  EXPECT_LT(square.front(), -0.5);  // carried on from the end's low half
}
