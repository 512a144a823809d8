// Best times and ghosts on disk: what is kept, what beats what, and that a damaged,
// foreign or edited file never passes for a record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "saves/BestTimes.h"
#include "saves/Ghost.h"
#include "tests/FixtureFolder.h"

namespace {

TBestTime Result(const std::string& name, std::uint64_t hash, std::int64_t ms, int score) {
  return {{name, hash}, ms, score, "2026-12-08"};
}

TGhost Flight(int frames) {
  TGhost ghost;
  ghost.courseHash = 0x1234abcd5678ef00ULL;
  ghost.stepMs = 20;
  for (int i = 0; i < frames; ++i) {
    ghost.frames.push_back({float(i), 200.0f, float(-2 * i), 0.0f, float(350 + i) , 1.5f});
  }
  return ghost;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BestTimes, OnlyAFasterRunOrTheSameTimeWithMorePointsReplacesARecord) {
  TBestTimes times;
  TBestTime previous;
  bool had = true;
  ASSERT_TRUE(OfferBestTime(times, Result("a.track", 1, 40000, 300), previous, had));
  EXPECT_FALSE(had);
  EXPECT_FALSE(OfferBestTime(times, Result("a.track", 1, 41000, 900), previous, had));
  EXPECT_TRUE(had);
  EXPECT_EQ(previous.timeUsedMs, 40000);
  EXPECT_FALSE(OfferBestTime(times, Result("a.track", 1, 40000, 300), previous, had));
  EXPECT_TRUE(OfferBestTime(times, Result("a.track", 1, 40000, 301), previous, had));
  EXPECT_TRUE(OfferBestTime(times, Result("a.track", 1, 39999, 0), previous, had));
  EXPECT_EQ(previous.score, 301);
  // The same name with other bytes is another course; so is another name.
  EXPECT_TRUE(OfferBestTime(times, Result("a.track", 2, 90000, 1), previous, had));
  EXPECT_FALSE(had);
  EXPECT_TRUE(OfferBestTime(times, Result("b.track", 1, 90000, 1), previous, had));
  ASSERT_EQ(times.size(), 3u);
  EXPECT_EQ(FindBestTime(times, {"a.track", 1})->timeUsedMs, 39999);
  EXPECT_EQ(FindBestTime(times, {"c.track", 1}), nullptr);
  EXPECT_FALSE(OfferBestTime(times, Result("", 1, 10, 1), previous, had));
  EXPECT_FALSE(OfferBestTime(times, Result("d.track", 1, 0, 1), previous, had));
}

TEST(BestTimes, AnEditedTrackFileIsANewCourse) {
  TFixtureFolder dir;
  std::ofstream(dir / "01.track") << "ring 1 2 3\n";
  TCourseKey before, after;
  ASSERT_TRUE(CourseKeyOfFile(dir / "01.track", before));
  EXPECT_EQ(before.trackName, "01.track");
  std::ofstream(dir / "01.track") << "ring 1 2 4\n";
  ASSERT_TRUE(CourseKeyOfFile(dir / "01.track", after));
  EXPECT_EQ(after.trackName, before.trackName);
  EXPECT_NE(after.contentHash, before.contentHash);
  EXPECT_FALSE(CourseKeyOfFile(dir / "missing.track", after));
  // The hash is the documented FNV-1a: the same bytes give the same key on any machine.
  EXPECT_EQ(CourseHash(""), 14695981039346656037ULL);
  EXPECT_EQ(CourseHash("a"), 0xaf63dc4c8601ec8cULL);
}

TEST(BestTimes, TheFileReadsBackAndAnyBadLineRefusesItWhole) {
  TBestTimes times = {Result("winter ring.track", 0xfeedULL, 61234, 4200), Result("b.track", 7, 1, 0)};
  TBestTimes read;
  std::string why;
  ASSERT_TRUE(ParseBestTimes(FormatBestTimes(times), read, why)) << why;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].course, times[0].course);
  EXPECT_EQ(read[0].timeUsedMs, 61234);
  EXPECT_EQ(read[0].date, "2026-12-08");
  const std::string good = FormatBestTimes(times);
  for (const std::string& bad : {
           std::string("velmora-best-times 2\n"),
           good + "000000000000feed 5 5 2026-12-08 winter ring.track\n",  // twice the same course
           good + "000000000000feed -5 5 2026-12-08 x.track\n",
           good + "000000000000feed 5 1000000000 2026-12-08 x.track\n",
           good + "00000000000feed 5 5 2026-12-08 x.track\n",
           good + "000000000000feed 5 5 2026-13-08 x.track\n",
           good + "000000000000feed 5 5 2026-12-08 \n",
           good + "000000000000feed 5 5 2026-12-08 ../x.track\n",
           good + "garbage\n"}) {
    EXPECT_FALSE(ParseBestTimes(bad, read, why)) << bad;
    EXPECT_TRUE(read.empty());
  }
}

TEST(BestTimes, ADamagedFileIsKeptAsideAndNeverWrittenOver) {
  TFixtureFolder dir;
  const std::string path = dir / "data/velmora/best-times.txt";
  std::vector<std::string> notes;
  bool mayWrite = false;
  EXPECT_TRUE(LoadBestTimes(path, notes, mayWrite).empty());
  EXPECT_TRUE(mayWrite);
  EXPECT_TRUE(notes.empty());
  std::string error;
  ASSERT_TRUE(SaveBestTimes(path, {Result("a.track", 1, 5000, 10)}, error)) << error;
  ASSERT_EQ(LoadBestTimes(path, notes, mayWrite).size(), 1u);

  std::ofstream(path) << "someone else's file\n";
  EXPECT_TRUE(LoadBestTimes(path, notes, mayWrite).empty());
  EXPECT_TRUE(mayWrite);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("best-times.txt.damaged-1"), std::string::npos) << notes[0];
  EXPECT_EQ(ReadText(path + ".damaged-1"), "someone else's file\n");
  EXPECT_FALSE(std::filesystem::exists(path));
  std::ofstream(path) << "again\n";
  LoadBestTimes(path, notes, mayWrite);
  EXPECT_EQ(ReadText(path + ".damaged-2"), "again\n");
}

TEST(Ghost, AFlightReadsBackFrameForFrame) {
  const TGhost ghost = Flight(300);
  TGhost read;
  std::string why;
  ASSERT_TRUE(DecodeGhost(EncodeGhost(ghost), read, why)) << why;
  EXPECT_EQ(read.courseHash, ghost.courseHash);
  EXPECT_EQ(read.stepMs, 20u);
  EXPECT_EQ(read.frames, ghost.frames);
  TFixtureFolder dir;
  ASSERT_TRUE(SaveGhost(dir / "ghosts/a.ghost", ghost, why)) << why;
  TGhost loaded;
  ASSERT_TRUE(LoadGhost(dir / "ghosts/a.ghost", loaded, why)) << why;
  EXPECT_EQ(loaded.frames, ghost.frames);
}

TEST(Ghost, ATruncatedLongerBitFlippedOrForeignFileIsRefused) {
  const std::vector<std::uint8_t> good = EncodeGhost(Flight(50));
  TGhost read = Flight(3);
  std::string why;
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, good.size() - 1}) {
    EXPECT_FALSE(DecodeGhost({good.begin(), good.begin() + cut}, read, why)) << cut;
  }
  std::vector<std::uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_FALSE(DecodeGhost(longer, read, why));
  // Every single flipped bit is caught, header and frames alike.
  for (std::size_t byte = 0; byte < good.size(); byte += 7) {
    std::vector<std::uint8_t> flipped = good;
    flipped[byte] ^= 0x10;
    EXPECT_FALSE(DecodeGhost(flipped, read, why)) << "byte " << byte;
  }
  // Damage with a checksum made to match: a flag word this version does not know.
  std::vector<std::uint8_t> flagged = good;
  flagged[6] = 1;
  const std::uint32_t sum = GhostChecksum(flagged.data(), flagged.size() - 4);
  for (int i = 0; i < 4; ++i) flagged[flagged.size() - 4 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  EXPECT_FALSE(DecodeGhost(flagged, read, why));
  // A well-formed file whose values no flight reaches.
  TGhost wild = Flight(2);
  wild.frames[1].y = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(DecodeGhost(EncodeGhost(wild), read, why));
  EXPECT_NE(why.find("frame 1"), std::string::npos) << why;
  EXPECT_EQ(read.frames.size(), 3u);  // a refused file leaves the ghost as it was
}

TEST(Ghost, ThePoseAtATimeLiesBetweenItsFramesAndTurnsTheShortWay) {
  TGhost ghost;
  ghost.stepMs = 20;
  ghost.frames = {{0, 0, 0, 0, 350, 0}, {10, 20, -30, 0, 10, 90}, {20, 20, -30, 0, 10, 90}};
  const TGhostFrame middle = GhostPoseAt(ghost, 10);
  EXPECT_FLOAT_EQ(middle.x, 5.0f);
  EXPECT_FLOAT_EQ(middle.z, -15.0f);
  EXPECT_FLOAT_EQ(middle.rotY, 360.0f);  // 350 -> 10 passes through 0, not 180
  EXPECT_FLOAT_EQ(middle.rotZ, 45.0f);
  EXPECT_EQ(GhostPoseAt(ghost, -5), ghost.frames[0]);
  EXPECT_EQ(GhostPoseAt(ghost, 100000), ghost.frames[2]);
  EXPECT_EQ(GhostPoseAt(TGhost{}, 10), TGhostFrame{});
}

TEST(Ghost, TheRecorderKeepsOneFrameAStepWhateverTheFrameRate) {
  TGhostRecorder recorder(42, 20);
  for (std::int64_t t = 0; t <= 100; t += 5) recorder.Sample(t, {float(t), 0, 0, 0, 0, 0});
  const TGhost& fast = recorder.Ghost();
  ASSERT_EQ(fast.frames.size(), 6u);  // 0, 20, ..., 100
  EXPECT_FLOAT_EQ(fast.frames[3].x, 60.0f);
  TGhostRecorder slow(42, 20);
  slow.Sample(0, {1, 0, 0, 0, 0, 0});
  slow.Sample(70, {2, 0, 0, 0, 0, 0});  // a frame that took 70 ms fills three steps
  ASSERT_EQ(slow.Ghost().frames.size(), 4u);
  EXPECT_FLOAT_EQ(slow.Ghost().frames[3].x, 2.0f);
  EXPECT_EQ(slow.Ghost().courseHash, 42u);
}
