#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "tools/sound/Songs.h"

namespace {

bool IsDrum(TVoice v) {
  return v == TVoice::Kick || v == TVoice::Snare || v == TVoice::Hat || v == TVoice::OpenHat || v == TVoice::Tom;
}

std::vector<TNote> Melody(const TSongPlan& plan) {
  std::vector<TNote> line;
  for (const TNote& n : Compose(plan))
    if (n.voice == plan.lead && n.pitch >= plan.tonic - 7) line.push_back(n);
  std::stable_sort(line.begin(), line.end(), [](const TNote& a, const TNote& b) { return a.start < b.start; });
  return line;
}

const TSongPlan& Song(const std::string& file) {
  for (const TSongPlan& p : SongPlans())
    if (p.file == file) return p;
  throw std::runtime_error("no song " + file);
}

}  // namespace

TEST(SoundgenComposer, ScaleDegreesGiveTheModesNotes) {
  EXPECT_EQ(DegreePitch(60, TMode::Major, 0), 60);
  EXPECT_EQ(DegreePitch(60, TMode::Major, 2), 64);
  EXPECT_EQ(DegreePitch(60, TMode::Major, 7), 72);
  EXPECT_EQ(DegreePitch(60, TMode::Major, -1), 59);
  EXPECT_EQ(DegreePitch(60, TMode::Minor, 2), 63);
  EXPECT_EQ(DegreePitch(62, TMode::Dorian, 5), 71);
  EXPECT_EQ(DegreePitch(60, TMode::Lydian, 3), 66);
  EXPECT_EQ(DegreePitch(57, TMode::HarmonicMinor, -1), 56);
  EXPECT_EQ(DegreePitch(60, TMode::Mixolydian, -8), 46);
}

TEST(SoundgenComposer, EveryPieceHasAllItsVoicesInsideItsLoop) {
  std::set<std::string> files;
  for (const TSongPlan& plan : SongPlans()) {
    SCOPED_TRACE(plan.file);
    files.insert(plan.file);
    const double seconds = SecondsOf(plan);
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    bool bass = false, harmony = false, drums = false;
    for (const TNote& n : Compose(plan)) {
      ASSERT_GE(n.start, 0.0);
      ASSERT_LT(n.start, seconds);
      bass = bass || n.voice == TVoice::Bass;
      harmony = harmony || ((n.voice == TVoice::Pad || n.voice == TVoice::Pluck || n.voice == TVoice::Bell) && n.voice != plan.lead);
      drums = drums || IsDrum(n.voice);
    }
    EXPECT_TRUE(bass && harmony && drums);
    EXPECT_GT(Melody(plan).size(), 10u * static_cast<size_t>(BarsOf(plan)) / 16u);
  }
  EXPECT_EQ(files.size(), SongPlans().size());
  EXPECT_TRUE(files.count("sounds/Background01.mp3"));
}

TEST(SoundgenComposer, PiecesDifferInKeyTempoAndMood) {
  std::set<std::pair<int, int>> keys;
  std::set<double> tempos;
  for (const TSongPlan& plan : SongPlans()) {
    keys.insert({plan.tonic % 12, static_cast<int>(plan.mode)});
    tempos.insert(plan.tempo);
  }
  EXPECT_EQ(keys.size(), SongPlans().size());
  EXPECT_EQ(tempos.size(), SongPlans().size());
  const TSongPlan& summer = Song("sounds/summer.mp3");
  const TSongPlan& winter = Song("sounds/winter.mp3");
  const TSongPlan& final = Song("sounds/final.mp3");
  // Summer is bright and busy, winter sparse, the final fastest and driven.
  EXPECT_GT(summer.brightness, winter.brightness);
  const double summerRate = Compose(summer).size() / SecondsOf(summer);
  const double winterRate = Compose(winter).size() / SecondsOf(winter);
  EXPECT_GT(summerRate, 3.0 * winterRate);
  for (const TSongPlan& plan : SongPlans()) EXPECT_LE(plan.tempo, final.tempo);
  EXPECT_EQ(final.drums, TDrumStyle::Drive);
}

TEST(SoundgenComposer, MelodyStaysInRangeAndClimbsBackIntoItsStart) {
  for (const TSongPlan& plan : SongPlans()) {
    SCOPED_TRACE(plan.file);
    const std::vector<TNote> line = Melody(plan);
    for (const TNote& n : line) {
      EXPECT_GE(n.pitch, plan.tonic - 7);
      EXPECT_LE(n.pitch, plan.tonic + 17);
    }
    // The loop's last notes step up to the first one: the end leads into the start.
    const TNote& first = line.front();
    const TNote& last = line.back();
    EXPECT_LT(last.pitch, first.pitch);
    EXPECT_LE(first.pitch - last.pitch, 2.0);
    EXPECT_GE(last.start, SecondsOf(plan) - 4.0 * 60.0 / plan.tempo);
  }
}

TEST(SoundgenComposer, RepeatedSectionsRepeatTheirTune) {
  const TSongPlan& plan = Song("sounds/test.mp3");  // form AABA, four bars a section
  const std::vector<TNote> line = Melody(plan);
  const double bar = 4.0 * 60.0 / plan.tempo;
  std::vector<double> first, second;
  for (const TNote& n : line) {
    if (n.start < 4 * bar) first.push_back(n.pitch);
    else if (n.start < 8 * bar) second.push_back(n.pitch);
  }
  EXPECT_EQ(first, second);
}
