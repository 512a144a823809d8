#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/sound/Mp3Encoder.h"
#include "tools/sound/Render.h"
#include "tools/sound/Songs.h"
#include "tools/sound/Wind.h"

namespace {

// Whether the step from the last sample back to the first is no larger than the steps the
// signal takes anywhere else (its 99.5th percentile).
::testing::AssertionResult LoopsWithoutSeam(const std::vector<float>& s) {
  std::vector<double> steps;
  for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 995 / 1000), steps.end());
  const double usual = steps[steps.size() * 995 / 1000];
  const double seam = std::fabs(s.front() - s.back());
  if (seam <= usual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "seam " << seam << " against usual steps up to " << usual;
}

double Rms(const std::vector<float>& s) {
  double sum = 0.0;
  for (float v : s) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(s.size()));
}

double Peak(const std::vector<float>& s) {
  double peak = 0.0;
  for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

}  // namespace

TEST(SoundgenRender, WindLoopsSeamlesslyAndRoarsLow) {
  const std::vector<float> wind = WindLoop(kWindRate, kWindSeconds, 7);
  ASSERT_EQ(wind.size(), static_cast<size_t>(kWindRate * kWindSeconds));
  EXPECT_TRUE(LoopsWithoutSeam(wind));
  EXPECT_NEAR(Peak(wind), 0.8, 1e-6);
  EXPECT_GT(Rms(wind), 0.1);
  // Filtered noise: neighbouring samples are close, unlike white noise.
  double step = 0.0, level = 0.0;
  for (size_t i = 1; i < wind.size(); ++i) {
    step += std::fabs(wind[i] - wind[i - 1]);
    level += std::fabs(wind[i]);
  }
  EXPECT_LT(step / level, 0.7);  // about 1.4 for white noise
  // Gusts: the loudness of each half-second changes over the loop.
  double quietest = 1e9, loudest = 0.0;
  for (size_t at = 0; at + kWindRate / 2 <= wind.size(); at += kWindRate / 2) {
    const double rms = Rms(std::vector<float>(wind.begin() + static_cast<long>(at), wind.begin() + static_cast<long>(at + kWindRate / 2)));
    quietest = std::min(quietest, rms);
    loudest = std::max(loudest, rms);
  }
  EXPECT_GT(loudest / quietest, 1.5);
}

TEST(SoundgenRender, PieceFillsItsLoopAndJoinsItsEndToItsStart) {
  const TSongPlan& plan = SongPlans()[5];  // the shortest, "test"
  const std::vector<float> music = RenderSong(plan);
  EXPECT_EQ(music.size(), static_cast<size_t>(std::lround(SecondsOf(plan) * kMusicRate)));
  EXPECT_TRUE(LoopsWithoutSeam(music));
  EXPECT_LE(Peak(music), 0.8901);
  EXPECT_GT(Peak(music), 0.85);
  EXPECT_GT(Rms(music), 0.1);
  // Sound everywhere: no second of the loop is silent.
  for (size_t at = 0; at + kMusicRate <= music.size(); at += kMusicRate)
    EXPECT_GT(Rms(std::vector<float>(music.begin() + static_cast<long>(at), music.begin() + static_cast<long>(at + kMusicRate))), 0.03);
}

TEST(SoundgenRender, Mp3IsMpegOneLayerThreeWithItsGaplessTag) {
  std::vector<float> tone(kMusicRate);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<float>(0.5 * std::sin(2.0 * 3.14159265 * 440.0 * i / kMusicRate));
  const TBytes mp3 = EncodeMp3(tone, kMusicRate, 96);
  ASSERT_GT(mp3.size(), 200u);
  EXPECT_EQ(mp3[0], 0xFF);
  EXPECT_EQ(mp3[1] & 0xFE, 0xFA);  // frame sync, MPEG-1, layer III
  EXPECT_EQ((mp3[2] >> 4) & 0x0F, 7);  // 96 kbps
  EXPECT_EQ((mp3[2] >> 2) & 0x03, 0x02);  // 32 kHz
  EXPECT_EQ(mp3[3] >> 6, 0x03);           // mono
  const std::string head(mp3.begin(), mp3.begin() + 200);
  EXPECT_NE(head.find("Info"), std::string::npos);  // delay and padding for gapless loops
  EXPECT_NEAR(static_cast<double>(mp3.size()), 96000.0 / 8.0, 2000.0);
  EXPECT_EQ(EncodeMp3(tone, kMusicRate, 96), mp3);
}
