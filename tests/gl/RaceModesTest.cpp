// Whole races driven by the scripted platform inside a real GL context: the time-attack
// race from start to result, its generated course kept on disk, the end sequence's fades,
// and the split-screen race.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "modes/Uworld_TwoPlayers.h"
#include "sound/USound.h"
#include "tests/gl/GlTestSupport.h"
#include "tests/gl/MenuPictureCheck.h"
#include "world/CourseGen.h"
#include "world/Uinterface.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace fs = std::filesystem;

namespace {

// A course over the winter terrain with the given rings (at most 10 s on the clock).
std::string WriteCourse(const std::string& name, const std::vector<T_point>& origins,
                        int initialTime = 10,
                        const std::string& music = "sounds/Background01.mp3") {
  const fs::path folder = fs::temp_directory_path() / ("velmora-races-" + std::to_string(::getpid()));
  return WriteWinterCourse(folder, name, origins, initialTime, music);
}

T_TrackFile Entry(const std::string& trackFile) { return WinterEntry(trackFile); }

// Each test races in a game folder of its own, so the course kept after a generated race
// lands there.
struct RaceModesTest : ::testing::Test {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "screenplay_data"}, {"track_data"}};
  void SetUp() override { platform.frameMs = 100; }
};

}  // namespace

TEST_F(RaceModesTest, WithoutInputTheClockRunsOutAfterElevenCountedSeconds) {
  auto race = TTimeAttack::CreateDefault(1024, 768, 255);
  EXPECT_FALSE(race->LoadedFromFile());
  EXPECT_EQ(race->InitialTime(), 10);
  std::string result;
  const std::uint32_t start = platform.now;
  long endFrames = 0;
  platform.onSwap = [&](TScriptedPlatform& p) {
    if (race->TimeLeft() < 0) ++endFrames;
    (void)p;
  };
  race->Run(255, result);
  EXPECT_EQ(result, "MENUL");
  EXPECT_EQ(race->TimeLeft(), -1);
  EXPECT_EQ(race->Score(), 0);
  EXPECT_GE(platform.now - start, 11000u);
  // The race itself took 11 s of frames; everything after that is the end sequence.
  EXPECT_LE(platform.swaps - endFrames, 11000 / 100 + 2);
  ASSERT_FALSE(platform.titles.empty());
  EXPECT_EQ(platform.titles.front().rfind("Velmora (FPS : ", 0), 0u);
}

TEST_F(RaceModesTest, ARingAtTheStartIsCaughtInTheFirstFrameAndWinsWithTheTimeBonus) {
  auto race = TTimeAttack::CreateFromTrack(Entry(WriteCourse("one", {{0, 195, 0}})), 1024, 768,
                                           200, 30);
  ASSERT_TRUE(race->LoadedFromFile());
  std::string result;
  race->Run(0, result);
  EXPECT_EQ(result, "MENUW");
  EXPECT_EQ(race->CaughtCount(), 1);
  EXPECT_EQ(race->TimeLeft(), 10);
  EXPECT_EQ(race->Score(), 10 + 30 + 10 + 1);
  EXPECT_EQ(race->MusicCell(), 200);
  EXPECT_EQ(race->EffectsCell(), 0);
}

TEST_F(RaceModesTest, ACourseWithoutRingsIsWonInItsFirstFrame) {
  auto race = TTimeAttack::CreateFromTrack(Entry(WriteCourse("none", {})), 1024, 768, 255, 40);
  std::string result;
  long raceFrames = -1;
  platform.onSwap = [&](TScriptedPlatform& p) {
    if (raceFrames < 0) raceFrames = p.swaps;
  };
  race->Run(255, result);
  EXPECT_EQ(result, "MENUW");
  EXPECT_EQ(raceFrames, 1);
  EXPECT_EQ(race->Score(), 10 + 1 + 40);
}

TEST_F(RaceModesTest, EscapeOpensTheOverlayWhichStopsTheClockAndCanLeaveTheRace) {
  auto race = TTimeAttack::CreateFromTrack(Entry(WriteCourse("far", {{0, 195, -900}})), 1024,
                                           768, 255, 0);
  platform.QueueIdle(3);
  platform.QueueKey(wnd::KEY_ESC, 2);
  platform.QueueIdle(60);  // six seconds with the overlay open
  // The overlay's leave button: virtual (626, 487), 156 x 99, scaled by 1024 / 800.
  platform.QueueClick(static_cast<int>(704 * 1.28), static_cast<int>(536 * 1.28));
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
  EXPECT_EQ(race->TimeLeft(), 10);  // not one second counted while it was open
  EXPECT_EQ(race->Score(), 0);      // no time bonus for leaving
}

// Presses from before the race or the overlay are not theirs: an Escape pending from the
// menu opens no overlay, and a click made during the race (which reads no mouse) is no
// click on the overlay that opens later. Closing the overlay brings back the course's
// own music.
TEST_F(RaceModesTest, TheOverlayTakesOnlyItsOwnPressesAndGivesTheMusicBack) {
  const std::string music = "sounds/course_tune.mp3";
  auto race = TTimeAttack::CreateFromTrack(
      Entry(WriteCourse("tune", {{0, 195, -900}}, 10, music)), 1024, 768, 255, 0);
  const int leaveX = static_cast<int>(704 * 1.28), leaveY = static_cast<int>(536 * 1.28);
  TScriptCheckpoints checks(platform);
  int pausedAt = -1;
  platform.Tap(wnd::KEY_ESC);  // left over from the menu
  platform.QueueIdle(20);
  checks.Here([&] {
    EXPECT_LT(race->TimeLeft(), 10);  // the clock runs: no overlay
    EXPECT_EQ(race->Sound().MusicFile(), music);
  });
  platform.QueueTapClick(leaveX, leaveY, 2);  // the race reads no mouse
  platform.QueueKey(wnd::KEY_ESC, 2);
  platform.QueueIdle(30);
  checks.Here([&] {
    pausedAt = race->TimeLeft();
    EXPECT_EQ(race->Sound().MusicFile(), kDefaultMusic);
  });
  platform.QueueClick(512, 686);  // back to the race
  platform.QueueIdle(20);
  checks.Here([&] {
    EXPECT_EQ(race->TimeLeft(), pausedAt - 2);
    EXPECT_EQ(race->Sound().MusicFile(), music);
  });
  platform.QueueKey(wnd::KEY_ESC, 2);
  platform.QueueClick(leaveX, leaveY);
  checks.Arm();
  std::string result;
  race->Run(255, result);
  EXPECT_EQ(result, "MENU RETURNL");
  EXPECT_EQ(checks.Ran(), 3);
}

TEST_F(RaceModesTest, AGeneratedCourseIsKeptAndReadsBackIntoTheSameRings) {
  fs::remove("track_data/01.track");
  TRing_tab rings;
  {
    auto race = TTimeAttack::CreateDefault(1024, 768, 255);
    rings = race->Track().Rings();
    platform.frameMs = 2000;  // a short race: the clock needs one frame a second
    std::string result;
    race->Run(0, result);
  }
  ASSERT_TRUE(fs::exists("track_data/01.track"));
  TTrackData back = ReadTrackFile("track_data/01.track");
  EXPECT_EQ(back.initialTime, 10);
  EXPECT_EQ(back.musicPath, "sounds/Background01.mp3");
  EXPECT_EQ(back.heightmapPath, "screenplay_data/winter/winter.bmp");
  ASSERT_EQ(back.rings.size(), rings.size());
  for (std::size_t i = 0; i < rings.size(); ++i) {
    EXPECT_NEAR(back.rings[i].origin.x, rings[i].origin.x, 1e-9 * (1 + std::fabs(rings[i].origin.x)));
    EXPECT_NEAR(back.rings[i].origin.y, rings[i].origin.y, 1e-9 * (1 + std::fabs(rings[i].origin.y)));
    EXPECT_NEAR(back.rings[i].origin.z, rings[i].origin.z, 1e-9 * (1 + std::fabs(rings[i].origin.z)));
    EXPECT_NEAR(back.rings[i].rotation.y, rings[i].rotation.y, 1e-9 * (1 + std::fabs(rings[i].rotation.y)));
    ASSERT_EQ(back.rings[i].points.size(), 16u);
    EXPECT_NEAR(back.rings[i].points[7].x, rings[i].points[7].x, 1e-9 * (1 + std::fabs(rings[i].points[7].x)));
  }
}

TEST_F(RaceModesTest, ARaceBuiltFromAFileWritesNothing) {
  fs::remove("track_data/01.track");
  {
    auto race = TTimeAttack::CreateFromTrack(Entry(WriteCourse("one", {{0, 195, 0}})), 1024, 768,
                                             255, 0);
    std::string result;
    race->Run(0, result);
  }
  EXPECT_FALSE(fs::exists("track_data/01.track"));
}

TEST_F(RaceModesTest, AnEntryThatIsNotATrackFileGivesTheGeneratedCourse) {
  auto race = TTimeAttack::CreateFromTrack(Entry("track_data/dunmarrow.trak"), 1024, 768, 99, 50);
  EXPECT_FALSE(race->LoadedFromFile());
  EXPECT_EQ(race->BaseScore(), 0);
  EXPECT_EQ(race->MusicCell(), 99);
  EXPECT_THROW(TTimeAttack::CreateFromTrack(Entry("/nowhere/lost.track"), 1024, 768, 255, 0),
               std::runtime_error);
}

namespace {
// Counts the frames of each part of the end sequence.
class TFadeProbe : public Tworld {
 public:
  TFadeProbe() : Tworld(1024, 768) { LoadEndPictures(); }
  long transitionStart = 0, resultStart = 0;
  TScriptedPlatform* platform = nullptr;
  void ShowResult(const TImg& picture, std::uint32_t backdrop, std::uint32_t banner) override {
    resultStart = platform->swaps;
    Tworld::ShowResult(picture, backdrop, banner);
  }
  void ShowTransition(const TImg& banner, const TImg& picture) override {
    transitionStart = platform->swaps;
    Tworld::ShowTransition(banner, picture);
  }
};
}  // namespace

TEST_F(RaceModesTest, EveryFadeOfTheEndSequenceTakesMoreThanAHundredFrames) {
  for (std::uint32_t frameMs : {3u, 100u}) {
    platform.frameMs = frameMs;
    platform.swaps = 0;
    TFadeProbe probe;
    probe.platform = &platform;
    probe.ShowRaceEnd(probe.WinBanner(), probe.WinPicture());
    EXPECT_GT(probe.transitionStart, 100) << frameMs;                       // to white
    EXPECT_GT(probe.resultStart - probe.transitionStart, 100 + 100 + 60) << frameMs;
    EXPECT_GT(platform.swaps - probe.resultStart, 100) << frameMs;          // the result
  }
}

TEST_F(RaceModesTest, TheEndSequenceShowsTheBackdropBannerAndResultPicture) {
  TFadeProbe probe;
  probe.platform = &platform;
  platform.captureFrames = true;
  probe.ShowRaceEnd(probe.LoseBanner(), probe.LosePicture());
  // The last frame shown: the white strip below the tiles, and the result picture in
  // the middle of the screen.
  TRgb strip = ReadShownPixelTopLeft(512, 740);
  EXPECT_TRUE(Near(strip, {255, 255, 255}, 8)) << strip.r << "," << strip.g << "," << strip.b;
  TRgb middle = ReadShownPixelTopLeft(512, 384);
  EXPECT_FALSE(Near(middle, {255, 255, 255}, 30)) << middle.r << "," << middle.g << "," << middle.b;
  TRgb tile = ReadShownPixelTopLeft(20, 20);
  EXPECT_FALSE(Near(tile, {255, 255, 255}, 8)) << tile.r << "," << tile.g << "," << tile.b;
}

TEST_F(RaceModesTest, TheSplitScreenCountsARingCaughtByPlayerTwoOnBothHuds) {
  // Player 2 starts at (20, 200, 0), 20 units from this ring; player 1 is 40 away.
  T_Tab_TrackFile tracks{Entry(WriteCourse("split", {{40, 200, 0}})), Entry("")};
  TTwoPlayers race(1024, 768, tracks, 255, true, false);
  std::string result;
  race.RunLocal(255, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(race.CaughtCount(), 1);
  EXPECT_EQ(race.SecondPlayer().score, 10);
  const TDigits_array ten{0, 0, 0, 1, 0};
  EXPECT_EQ(const_cast<TInterface&>(race.Hud(1)).ScoreSlots(), ten);
  EXPECT_EQ(const_cast<TInterface&>(race.Hud(2)).ScoreSlots(), ten);
}

TEST_F(RaceModesTest, TheSplitScreenMovesEachPlayerWithItsOwnKeys) {
  T_Tab_TrackFile tracks{Entry(WriteCourse("keys", {{0, 195, -2000}}, 1))};
  TTwoPlayers race(1024, 768, tracks, 255, true, false);
  TInputState keys;
  keys.keys = {'F', 'D'};  // player 2 thrusts and turns right
  platform.Queue(keys, 5);
  std::string result;
  race.RunLocal(0, result);
  EXPECT_EQ(race.Physics().Rotation(1).y, 0.0);
  EXPECT_EQ(race.Physics().Position(1).x, 0.0);
  EXPECT_EQ(race.Physics().Position(1).z, 0.0);
  EXPECT_EQ(race.Physics().Rotation(2).y, 10.0);
  // Thrust moved player 2 forward (towards -z in the world, +z in the view's terms).
  EXPECT_GT(race.Physics().Position(2).z, 20.0);
}
