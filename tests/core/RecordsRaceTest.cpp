// Whole time attacks in the race core with the course's records kept in a player folder of
// the test's own: a won race keeps its time and its flight, the next race on the course
// flies the ghost along that flight, an edited course file starts afresh, a damaged ghost
// is left out, and only a faster win replaces a record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "modes/RaceCore.h"
#include "modes/RaceRecords.h"
#include "modes/TrackFile.h"
#include "platform/PlayerFiles.h"
#include "saves/Settings.h"
#include "tests/FixtureFolder.h"
#include "tests/core/FlatTerrain.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kFrameMs = 16;
const wnd::TLocalTime kToday{2026, 12, 8, 15, 0, 0};

TRing RingAt(double x, double y, double z) {
  TRing ring;
  ring.origin = {x, y, z};
  ring.scale = 1.5;
  ring.points = T_tab_point(16, ring.origin);
  return ring;
}

TTrackData StraightTrack() {
  TTrackData data;
  data.heightmapPath = "screenplay_data/winter/winter.bmp";
  data.initialTime = 10;
  data.musicPath = "sounds/Background01.mp3";
  data.terrain = FlatTerrain(200);
  data.terrain.heightmapPath = data.heightmapPath;
  data.rings = {RingAt(0, 195, -300), RingAt(0, 195, -600)};
  return data;
}

// The player's files, HOME and the XDG folders all inside the test's own folder.
struct RecordsRace : ::testing::Test {
  TFixtureFolder dir;
  std::string track = dir / "content/track_data/straight.track";
  std::vector<std::pair<std::string, std::string>> saved;

  void SetUp() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      const char* value = std::getenv(name);
      saved.emplace_back(name, value ? value : "");
      setenv(name, (dir / "home").c_str(), 1);
    }
    SetPlayerFolder(dir / "player");
    fs::create_directories(fs::path(track).parent_path());
    WriteTrackFile("straight", track, StraightTrack());
  }
  void TearDown() override {
    SetPlayerFolder("");
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
  }

  // A race on the course: idle for `waitFrames`, then thrust to the end. The ghost's
  // pose of each frame, when there is one, is kept in `ghostPoses`; the craft's own in
  // `ownPoses`.
  TRecordOutcome Race(int waitFrames, bool withGhost = true) {
    TRaceSetup setup;
    const TTrackData data = ReadTrackFile(track);
    setup.terrain = FlatTerrain(200);  // the heightmap itself is not read headless
    setup.rings = data.rings;
    setup.initialTime = data.initialTime;
    TRaceCore race(std::move(setup));
    TCourseRecords records(track, withGhost);
    hadGhost = records.Ghost() != nullptr;
    ghostPoses.clear();
    ownPoses.clear();
    std::uint32_t now = 5000;
    race.Start(now);
    records.Start(now);
    for (int frame = 0; race.Running(); ++frame) {
      records.BeginFrame(now);
      if (auto pose = records.GhostPose()) ghostPoses.push_back(*pose);
      TRaceInput input;
      input.now = now;
      input.keys.arrows.thrust = frame >= waitFrames;
      race.StartFrame(input);
      ownPoses.push_back({float(race.Position(1).x), float(race.Position(1).y),
                          float(race.Position(1).z), float(race.Rotation(1).x),
                          float(race.Rotation(1).y), float(race.Rotation(1).z)});
      now += kFrameMs;
      race.FinishFrame(TOverlayChoice::kNone, now);
      records.EndFrame(race, now);
    }
    return records.Finish(race, kToday);
  }

  std::string GhostPath() const {
    TCourseKey key;
    EXPECT_TRUE(CourseKeyOfFile(track, key));
    return WritePath(GhostFileOf(key));
  }

  bool hadGhost = false;
  std::vector<TGhostFrame> ghostPoses;
  std::vector<TGhostFrame> ownPoses;
};

std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

}  // namespace

TEST_F(RecordsRace, AWonRaceKeepsItsTimeAndItsFlightAndTheNextRaceFliesTheGhostAlongIt) {
  const TRecordOutcome first = Race(0);
  ASSERT_TRUE(first.kept);
  EXPECT_TRUE(first.newRecord);
  EXPECT_FALSE(first.hadPrevious);
  EXPECT_FALSE(hadGhost);
  // The time from the start to the end of the frame that passed the last ring.
  const std::int64_t flown = static_cast<std::int64_t>(ownPoses.size() - 1) * kFrameMs;
  EXPECT_EQ(first.result.timeUsedMs, flown);
  EXPECT_EQ(first.result.date, "2026-12-08");

  std::vector<std::string> notes;
  bool mayWrite = false;
  const TBestTimes kept = LoadBestTimes(WritePath(kBestTimesFile), notes, mayWrite);
  EXPECT_TRUE(notes.empty());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].course.trackName, "straight.track");
  EXPECT_EQ(kept[0].timeUsedMs, first.result.timeUsedMs);
  EXPECT_EQ(kept[0].score, first.result.score);
  EXPECT_EQ(fs::path(WritePath(kBestTimesFile)).parent_path(), fs::path(dir / "player/records"));
  TGhost ghost;
  std::string why;
  ASSERT_TRUE(LoadGhost(GhostPath(), ghost, why)) << why;
  ASSERT_GE(ghost.frames.size(), ownPoses.size() - 1);
  const std::vector<TGhostFrame> recorded = ownPoses;

  // The next race, idle: at every frame the ghost stands where the craft stood at the same
  // time of the won race, and once that flight is over it stays at its end.
  const TRecordOutcome second = Race(1000);
  EXPECT_FALSE(second.kept);  // the clock ran out
  ASSERT_TRUE(hadGhost);
  ASSERT_GT(ghostPoses.size(), recorded.size());
  for (std::size_t frame : {std::size_t{0}, std::size_t{10}, recorded.size() - 1}) {
    EXPECT_NEAR(ghostPoses[frame].z, recorded[frame].z, 1e-3) << frame;
    EXPECT_NEAR(ghostPoses[frame].y, recorded[frame].y, 1e-3) << frame;
    EXPECT_EQ(ghostPoses[frame].rotY, recorded[frame].rotY) << frame;
  }
  // Moved with the won run, not the idle one (the physics' convention: flying towards -z
  // makes z grow).
  EXPECT_GT(ghostPoses[10].z, ghostPoses[0].z + 10.0f);
  EXPECT_EQ(ghostPoses.back(), recorded.back());
  // The ghost never catches a ring: the idle race caught none.
  EXPECT_EQ(ownPoses.back().z, ownPoses.front().z);
}

TEST_F(RecordsRace, ASlowerWinLeavesTheRecordAndItsGhostAsTheyWere) {
  const TRecordOutcome fast = Race(5);
  ASSERT_TRUE(fast.newRecord);
  const auto ghostBefore = ReadBytes(GhostPath());
  const auto recordsBefore = ReadBytes(WritePath(kBestTimesFile));

  const TRecordOutcome slow = Race(20);
  ASSERT_TRUE(slow.kept);
  EXPECT_FALSE(slow.newRecord);
  EXPECT_TRUE(slow.hadPrevious);
  EXPECT_GT(slow.result.timeUsedMs, fast.result.timeUsedMs);
  EXPECT_EQ(slow.previous.timeUsedMs, fast.result.timeUsedMs);
  EXPECT_EQ(ReadBytes(GhostPath()), ghostBefore);
  EXPECT_EQ(ReadBytes(WritePath(kBestTimesFile)), recordsBefore);

  // A faster one replaces both, and says what it beat.
  fs::remove(GhostPath());
  const TRecordOutcome faster = Race(0);
  EXPECT_TRUE(faster.newRecord);
  EXPECT_TRUE(faster.hadPrevious);
  EXPECT_TRUE(fs::exists(GhostPath()));
}

TEST_F(RecordsRace, AnEditedCourseFileHasNeitherTheRecordNorTheGhost) {
  ASSERT_TRUE(Race(0).newRecord);
  {
    TCourseRecords before(track, true);
    ASSERT_NE(before.Best(), nullptr);
    ASSERT_NE(before.Ghost(), nullptr);
  }
  TTrackData moved = StraightTrack();
  moved.rings[1].origin.z = -650;
  WriteTrackFile("straight", track, moved);
  TCourseRecords after(track, true);
  EXPECT_TRUE(after.Keeps());
  EXPECT_EQ(after.Best(), nullptr);
  EXPECT_EQ(after.Ghost(), nullptr);
  // Its first win is a record of its own; the old course's stays in the file.
  const TRecordOutcome first = Race(0);
  EXPECT_TRUE(first.newRecord);
  EXPECT_FALSE(first.hadPrevious);
  std::vector<std::string> notes;
  bool mayWrite = false;
  EXPECT_EQ(LoadBestTimes(WritePath(kBestTimesFile), notes, mayWrite).size(), 2u);
}

TEST_F(RecordsRace, ATruncatedOrBitFlippedGhostIsLeftOutWithAConsoleLine) {
  ASSERT_TRUE(Race(0).newRecord);
  const auto whole = ReadBytes(GhostPath());
  ASSERT_GT(whole.size(), 100u);
  auto flipped = whole;
  flipped[whole.size() / 2] ^= 0x10;
  const std::vector<char> truncated(whole.begin(), whole.end() - 7);
  for (const auto& bytes : {truncated, flipped}) {
    WriteBytes(GhostPath(), bytes);
    testing::internal::CaptureStderr();
    TCourseRecords records(track, true);
    const std::string console = testing::internal::GetCapturedStderr();
    EXPECT_NE(records.Best(), nullptr);  // the record itself still counts
    EXPECT_EQ(records.Ghost(), nullptr);
    EXPECT_FALSE(records.GhostPose().has_value());
    EXPECT_NE(console.find("is not shown"), std::string::npos) << console;
    EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1) << console;
  }
  // A ghost of another course under this course's name is not shown either.
  TGhost foreign;
  std::string why;
  WriteBytes(GhostPath(), whole);
  ASSERT_TRUE(LoadGhost(GhostPath(), foreign, why));
  foreign.courseHash ^= 1;
  ASSERT_TRUE(SaveGhost(GhostPath(), foreign, why));
  testing::internal::CaptureStderr();
  TCourseRecords records(track, true);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(records.Ghost(), nullptr);
}

TEST_F(RecordsRace, AGeneratedCourseAndALostRaceKeepNothingAndGhostsCanBeTurnedOff) {
  TCourseRecords generated("", true);
  EXPECT_FALSE(generated.Keeps());
  // A frame drawn before the race started (a measurement) is at no race time at all.
  TCourseRecords measured(track, true);
  measured.BeginFrame(4000000000u);
  EXPECT_EQ(measured.FrameTime(), 0);
  Race(1000);  // lost
  EXPECT_FALSE(fs::exists(WritePath(kBestTimesFile)));
  ASSERT_TRUE(Race(0).newRecord);
  Race(1000, false);
  EXPECT_FALSE(hadGhost);
  EXPECT_TRUE(ghostPoses.empty());
}

TEST(RecordsSettings, GhostsAreOnByDefaultAndTheSettingReadsAndWritesBack) {
  EXPECT_TRUE(TSettings{}.ghosts);
  TSettings settings;
  std::vector<std::string> notes;
  ParseSettings("ghosts = no\n", "settings.ini", settings, notes);
  EXPECT_TRUE(notes.empty());
  EXPECT_FALSE(settings.ghosts);
  EXPECT_NE(FormatSettings(settings).find("\nghosts = no\n"), std::string::npos);
  TSettings back;
  ParseSettings(FormatSettings(settings), "settings.ini", back, notes);
  EXPECT_EQ(back, settings);
  ParseSettings("ghosts = perhaps\n", "settings.ini", back, notes);
  EXPECT_FALSE(back.ghosts);
  EXPECT_EQ(notes.size(), 1u);
}

TEST(RecordsClock, TimesReadAsMinutesSecondsAndHundredths) {
  EXPECT_EQ(RecordClock(0), "0:00.00");
  EXPECT_EQ(RecordClock(61234), "1:01.23");
  EXPECT_EQ(RecordClock(9999), "0:09.99");
  EXPECT_EQ(RecordClock(600000), "10:00.00");
  EXPECT_EQ(RecordDate(kToday), "2026-12-08");
}
