// The ghost of a course's best run in whole time attacks: a won race keeps its record and
// flight in the player's folder, the next race on the course draws the ghost where that
// flight was at each frame, see-through, and the ghosts setting turns it off.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <filesystem>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "frontend/TrackRecordLine.h"
#include "modes/TrackFile.h"
#include "renderer/MenuDraw.h"
#include "renderer/RecordsDraw.h"
#include "renderer/GhostDraw.h"
#include "renderer/RaceViewDraw.h"
#include "renderer/ULoaderObj.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/PlayerFiles.h"
#include "saves/BestTimes.h"
#include "saves/SettingsStore.h"
#include "tests/gl/GlTestSupport.h"
#include "world/Physics.h"

namespace fs = std::filesystem;

namespace {

// Two rings straight ahead over the winter terrain.
std::string WriteCourse(const fs::path& folder) {
  return WriteWinterCourse(folder, "ghostly", {{0, 195, -120}, {0, 195, -260}});
}

T_TrackFile Entry(const std::string& trackFile) { return WinterEntry(trackFile); }

struct GhostTest : ::testing::Test {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
  fs::path own = fs::temp_directory_path() / ("velmora-ghost-" + std::to_string(::getpid()));
  std::string track;
  std::vector<std::pair<std::string, std::string>> saved;

  void SetUp() override {
    platform.frameMs = 40;
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      const char* value = std::getenv(name);
      saved.emplace_back(name, value ? value : "");
      setenv(name, (own / "home").c_str(), 1);
    }
    SetPlayerFolder((own / "player").string());
    track = WriteCourse(own / "courses");
  }
  void TearDown() override {
    CurrentSettings().ghosts = true;
    SetPlayerFolder("");
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
    std::error_code error;
    fs::remove_all(own, error);
  }

  // Runs a race; `each(frame)` after every race frame is shown (the end sequence's frames
  // are not the race's, and are cut short). With `frames`, the race itself is cut short
  // after that many.
  std::unique_ptr<TTimeAttack> Race(bool thrust, const std::function<void(TTimeAttack&, int)>& each,
                                    long frames = 0) {
    // Nothing held over from the race before, but the ghost setting the test chose.
    const bool ghosts = CurrentSettings().ghosts;
    FreshGlPlatform();
    CurrentSettings().ghosts = ghosts;
    platform.frameMs = 40;
    auto race = TTimeAttack::CreateFromTrack(Entry(track), 1024, 768, 0, 0);
    if (thrust) platform.QueueKey(KeyCodesOf(1).thrust, 2000);
    const long start = platform.swaps;
    TTimeAttack* racing = race.get();
    platform.onSwap = [&, racing](TScriptedPlatform& p) {
      if (racing->Outcome() == TRaceOutcome::kRunning || p.swaps == start + 1) {
        each(*racing, static_cast<int>(p.swaps - start - 1));
      } else {
        // The records are written before the end sequence begins: its frames are not needed.
        p.maxSwaps = std::min(p.maxSwaps, p.swaps);
      }
    };
    if (frames > 0) platform.maxSwaps = start + frames;
    std::string result;
    try {
      race->Run(0, result);
    } catch (const TFrameLimitReached&) {
    }
    platform.onSwap = nullptr;
    platform.maxSwaps = 200000;
    return race;
  }
};

// The count of pixels that differ between two frames by more than a little.
int DifferentPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    const int d = std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]);
    if (d > 24) ++count;
  }
  return count;
}

}  // namespace

TEST_F(GhostTest, TheNextRaceDrawsTheGhostWhereTheWonFlightWasAtEachFrame) {
  std::vector<T_point> flown;
  auto first = Race(true, [&](TTimeAttack& race, int) { flown.push_back(race.Physics().Position(1)); });
  ASSERT_EQ(first->Outcome(), TRaceOutcome::kWon) << flown.size() << " " << flown.back().z << " " << flown.back().y << " " << first->CaughtCount();
  ASSERT_TRUE(first->RecordOutcome().newRecord);
  EXPECT_FALSE(first->GhostShown().has_value());  // no record before: no ghost
  ASSERT_GT(flown.size(), 20u);

  // The next race, without a key: the ghost flies on, and the player's craft stays.
  constexpr int kLookAt = 12;
  std::vector<std::uint8_t> withGhost;
  std::vector<TGhostFrame> shown;
  auto capture = [&](TTimeAttack& race, int frame, std::vector<std::uint8_t>& pixels) {
    if (frame == kLookAt - 1) platform.captureFrames = true;
    if (frame == kLookAt) {
      pixels = platform.capturedFrame;
      platform.captureFrames = false;
    }
    (void)race;
  };
  auto second = Race(false, [&](TTimeAttack& race, int frame) {
    if (race.GhostShown()) shown.push_back(*race.GhostShown());
    capture(race, frame, withGhost);
  }, static_cast<long>(flown.size()) + 1);
  ASSERT_NE(second->Records().Ghost(), nullptr);
  EXPECT_EQ(second->CaughtCount(), 0);  // the ghost caught no ring for the player
  EXPECT_EQ(second->Outcome(), TRaceOutcome::kRunning);
  ASSERT_GT(shown.size(), static_cast<std::size_t>(kLookAt));
  for (int frame : {0, kLookAt, static_cast<int>(flown.size()) - 1}) {
    EXPECT_NEAR(shown[frame].x, flown[frame].x, 0.01) << frame;
    EXPECT_NEAR(shown[frame].y, flown[frame].y, 0.01) << frame;
    EXPECT_NEAR(shown[frame].z, flown[frame].z, 0.01) << frame;
  }
  EXPECT_GT(shown[kLookAt].z, shown[0].z + 50.0f);

  // With ghosts turned off the same frame lacks it, and nothing else differs much.
  CurrentSettings().ghosts = false;
  std::vector<std::uint8_t> withoutGhost;
  auto third = Race(false, [&](TTimeAttack& race, int frame) { capture(race, frame, withoutGhost); },
                    kLookAt + 2);
  EXPECT_FALSE(third->GhostShown().has_value());
  ASSERT_FALSE(withGhost.empty());
  ASSERT_FALSE(withoutGhost.empty());
  const int differing = DifferentPixels(withGhost, withoutGhost);
  EXPECT_GT(differing, 40);
  EXPECT_LT(differing, 1024 * 768 / 10);
}

TEST_F(GhostTest, TheGhostIsBlendedOverWhatLiesBehindItAndWritesNoDepth) {
  const TObj craft("mesh/reduce-dash2.obj");
  const T_point eye{0.0, -5.0, -40.0};
  const T_point scale{0.75, 0.75, 0.75};
  auto drawn = [&](bool ghost, float red, float blue) {
    EnableRaceState();
    glClearColor(red, 0.0f, blue, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetRaceViewport(0, 0, 1024, 768);
    SetRaceProjection();
    if (ghost) {
      DrawGhostCraft(craft, {}, {}, eye, scale);
    } else {
      DrawCraftAsSeenByItsPlayer(craft, {}, {}, eye, scale);
    }
    return ReadFrame();
  };
  // The craft drawn solid shows where it covers the screen; the ghost over two different
  // backgrounds shows whether they show through it there.
  const std::vector<std::uint8_t> solid = drawn(false, 0.0f, 1.0f);
  const std::vector<std::uint8_t> overBlue = drawn(true, 0.0f, 1.0f);
  const std::vector<std::uint8_t> overRed = drawn(true, 1.0f, 0.0f);
  auto apart = [](const std::uint8_t* a, const std::uint8_t* b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 30;
  };
  const std::uint8_t blue[3] = {0, 0, 255};
  int craftPixels = 0, seeThrough = 0;
  std::size_t somePixel = 0;
  for (std::size_t i = 0; i + 3 < solid.size(); i += 4) {
    if (!apart(&solid[i], blue)) continue;  // the background
    ++craftPixels;
    somePixel = i / 4;
    if (apart(&overBlue[i], &overRed[i]) && apart(&overBlue[i], blue)) ++seeThrough;
  }
  ASSERT_GT(craftPixels, 2000);
  EXPECT_GT(seeThrough, craftPixels * 9 / 10) << seeThrough << " of " << craftPixels;
  // Where the ghost was drawn the depth is still the cleared one: it hides nothing after it.
  GLfloat depth = 0.0f;
  glReadPixels(static_cast<GLint>(somePixel % 1024), static_cast<GLint>(somePixel / 1024), 1, 1,
               GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(GhostTest, TheChooserShowsTheBestTimeOfTheCourseInViewOrNoRecordYet) {
  TCourseKey key;
  ASSERT_TRUE(CourseKeyOfFile(track, key));
  const TBestTimes times = {{key, 61234, 300, "2026-12-08"}};
  EXPECT_EQ(BestTimeLineOf(times, track), "1:01.23");
  EXPECT_EQ(BestTimeLineOf({}, track), "");
  EXPECT_EQ(BestTimeLineOf(times, ""), "");  // the random course
  TTrackData edited = ReadTrackFile(track);
  edited.initialTime = 11;
  WriteTrackFile("ghostly", track, edited);
  EXPECT_EQ(BestTimeLineOf(times, track), "");

  // Drawn on the right face above the track's picture, in front of the panel: the words
  // and digits light pixels only in the line's band, and the two lines differ.
  const TRecordPictures pictures;
  auto drawn = [&](const std::string& clock) {
    BeginMenuScreen();
    SetMenuLook(0.65f);
    ClearMenuFrame();
    SetFaceCamera(1024, 768, 90.0, 3.5);
    DrawChooserRecord(pictures, clock, 0.005, 0.005, 528.5, 200.0, 30.0);
    return ReadFrame();
  };
  const auto best = drawn("1:01.23");
  const auto none = drawn("");
  int inBand = 0, outside = 0, differing = 0;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const std::size_t at = (static_cast<std::size_t>(767 - y) * 1024 + x) * 4;
      const bool lit = best[at] + best[at + 1] + best[at + 2] > 60;
      const bool band = y >= PixelY(195) && y <= PixelY(235) && x >= PixelX(380) && x <= PixelX(680);
      if (lit) ++(band ? inBand : outside);
      if (std::abs(best[at] - none[at]) + std::abs(best[at + 1] - none[at + 1]) > 60) ++differing;
    }
  }
  EXPECT_GT(inBand, 1500);
  EXPECT_EQ(outside, 0);
  EXPECT_GT(differing, 500);
}
