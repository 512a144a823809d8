// The story films without a display: which film a program is, its options, its timing,
// the track it flies over and the camera's flight.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>

#include "assets/Lnb.h"
#include "cutscene/CameraPath.h"
#include "cutscene/FilmOptions.h"
#include "cutscene/FilmPlan.h"
#include "cutscene/FilmTrack.h"
#include "cutscene/Timeline.h"

namespace fs = std::filesystem;

namespace {

TFilmPlan Plan(int number) { return *FilmPlanFor(number); }

bool Parse(const std::vector<std::string>& args, TFilmOptions& options) {
  std::string error;
  return ParseFilmOptions(args, options, error);
}

// A terrain of rounded hills with one sharp spike, the kind of ground a camera following
// the average height would fly into.
t_rain HillyTerrain(int side, double cell, double maxHeight) {
  t_tab_pixel grid(side, std::vector<std::uint8_t>(side));
  std::mt19937 random(7);
  for (int j = 0; j < side; ++j) {
    for (int i = 0; i < side; ++i) {
      const double hills = 90.0 + 60.0 * std::sin(i * 0.21) * std::cos(j * 0.17);
      grid[j][i] = static_cast<std::uint8_t>(hills + random() % 20);
    }
  }
  for (int j = side / 4; j < side / 4 + 2; ++j) grid[j][side / 5] = 255;
  t_rain terrain;
  terrain.samples = std::make_shared<const t_tab_pixel>(grid);
  terrain.cellSize = cell;
  terrain.maxHeight = maxHeight;
  return terrain;
}

double HorizontalDistance(const T_point& a, const T_point& b) {
  return std::hypot(a.x - b.x, a.z - b.z);
}

}  // namespace

TEST(CutscenePlan, ProgramNamesGiveTheirFilm) {
  EXPECT_EQ(FilmNumberFromProgramName("video/001.exe"), 1);
  EXPECT_EQ(FilmNumberFromProgramName("/home/player/velmora/video/005.exe"), 5);
  EXPECT_EQ(FilmNumberFromProgramName("003"), 3);
  EXPECT_EQ(FilmNumberFromProgramName("4.exe"), 4);
  EXPECT_EQ(FilmNumberFromProgramName("video/000.exe"), 0);
  EXPECT_EQ(FilmNumberFromProgramName("video/006.exe"), 0);
  EXPECT_EQ(FilmNumberFromProgramName("video/001x.exe"), 0);
  EXPECT_EQ(FilmNumberFromProgramName("velmora_film"), 0);
  EXPECT_EQ(FilmNumberFromProgramName("video/99999999999.exe"), 0);
  EXPECT_EQ(FilmNumberFromProgramName(""), 0);
}

TEST(CutscenePlan, FiveFilmsWithTheGamesWaitsAndTheirSeasons) {
  const int seconds[] = {56, 38, 24, 40, 66};
  const char* titles[] = {"Summer", "Autumn", "Winter", "Final", "The end"};
  const char* seasons[] = {"summer", "autumn", "winter", "final", "final"};
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    const TFilmPlan plan = Plan(n);
    EXPECT_EQ(plan.number, n);
    EXPECT_EQ(plan.seconds, seconds[n - 1]);
    EXPECT_EQ(plan.season, seasons[n - 1]);
    ASSERT_FALSE(plan.cards.empty());
    EXPECT_EQ(plan.cards.front().title, titles[n - 1]);
    EXPECT_EQ(plan.ending, n == 5);
    // Every card shows and is gone again within the film at its own length.
    EXPECT_DOUBLE_EQ(CardTimeScale(plan, plan.seconds), 1.0);
    EXPECT_LE(plan.cards.back().end, plan.seconds - 1.5);
  }
  EXPECT_FALSE(FilmPlanFor(0).has_value());
  EXPECT_FALSE(FilmPlanFor(6).has_value());
  EXPECT_EQ(HeightmapPathOf(Plan(1)), "screenplay_data/summer/summer.bmp");
  EXPECT_EQ(TrackPathOf(Plan(3)), "screenplay_data/winter/winter.track");
  EXPECT_EQ(MusicPathOf(Plan(5)), "sounds/final.mp3");
}

TEST(CutscenePlan, TheEndingThanksAndCreditsInTurn) {
  const TFilmPlan plan = Plan(5);
  ASSERT_GE(plan.cards.size(), 2u);
  EXPECT_EQ(plan.cards[0].subtitle, "Thank you for playing Velmora");
  EXPECT_EQ(plan.cards[1].title, "Made by the Velmora team");
  EXPECT_TRUE(plan.cards[1].credits);
  // Never two sets of words on the screen at once, at the film's length or a test's.
  for (double seconds : {66.0, 2.0}) {
    const double scale = CardTimeScale(plan, seconds);
    for (double t = 0.0; t <= seconds; t += seconds / 2000.0) {
      int showing = 0;
      for (const TFilmCard& card : plan.cards) showing += CardAlpha(card, t, scale) > 0.0 ? 1 : 0;
      ASSERT_LE(showing, 1) << "at " << t << " s of " << seconds;
    }
  }
}

TEST(CutsceneOptions, SecondsScreenshotAndFilm) {
  TFilmOptions options;
  ASSERT_TRUE(Parse({}, options));
  EXPECT_EQ(options.film, 0);
  EXPECT_EQ(options.seconds, 0.0);
  EXPECT_TRUE(options.screenshot.empty());
  ASSERT_TRUE(Parse({"--seconds", "2", "--screenshot", "out/shot.png", "--film", "4"}, options));
  EXPECT_DOUBLE_EQ(options.seconds, 2.0);
  EXPECT_EQ(options.screenshot, "out/shot.png");
  EXPECT_EQ(options.film, 4);
  ASSERT_TRUE(Parse({"--seconds", "0.5"}, options));
  EXPECT_DOUBLE_EQ(options.seconds, 0.5);
  TFilmOptions help;
  ASSERT_TRUE(Parse({"--help"}, help));
  EXPECT_TRUE(help.help);
}

TEST(CutsceneOptions, BadValuesAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {"--seconds"}, {"--seconds", "abc"}, {"--seconds", "0"}, {"--seconds", "-1"},
      {"--seconds", "2s"}, {"--seconds", ""}, {"--seconds", "nan"}, {"--seconds", "inf"},
      {"--seconds", "99999"}, {"--film", "6"}, {"--film", "0"}, {"--film", "2.5"},
      {"--screenshot"}, {"--fast"}, {"003.exe"}};
  for (const auto& args : bad) {
    TFilmOptions options;
    std::string error;
    EXPECT_FALSE(ParseFilmOptions(args, options, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(CutsceneOptions, ContentLiesAboveTheProgramsFolder) {
  EXPECT_EQ(ContentFolderOf("/opt/velmora/run/video/001.exe"), "/opt/velmora/run");
  EXPECT_EQ(ContentFolderOf("run/video/002.exe"), "run");
  EXPECT_EQ(ContentFolderOf("video/003.exe"), ".");
  EXPECT_EQ(ContentFolderOf("004.exe"), "..");
}

TEST(CutsceneTimeline, FromBlackAndBackToBlack) {
  for (double seconds : {1.0, 2.0, 24.0, 66.0}) {
    SCOPED_TRACE(seconds);
    EXPECT_DOUBLE_EQ(BlackAlpha(0.0, seconds), 1.0);
    EXPECT_DOUBLE_EQ(BlackAlpha(seconds / 2.0, seconds), 0.0);
    EXPECT_DOUBLE_EQ(BlackAlpha(seconds, seconds), 1.0);
    EXPECT_DOUBLE_EQ(MusicLevel(0.0, seconds), 0.0);
    EXPECT_DOUBLE_EQ(MusicLevel(seconds / 2.0, seconds), 1.0);
    EXPECT_DOUBLE_EQ(MusicLevel(seconds, seconds), 0.0);
    double previous = 1.0;
    for (double t = 0.0; t < seconds / 2.0; t += 0.01) {
      ASSERT_LE(BlackAlpha(t, seconds), previous + 1e-12);
      previous = BlackAlpha(t, seconds);
    }
  }
  EXPECT_DOUBLE_EQ(SmoothStep(1.0, 2.0, 0.5), 0.0);
  EXPECT_DOUBLE_EQ(SmoothStep(1.0, 2.0, 1.5), 0.5);
  EXPECT_DOUBLE_EQ(SmoothStep(1.0, 2.0, 3.0), 1.0);
}

// What the tests of the program rely on: whatever the length asked, the picture has come
// up and words are fully shown at mid-time.
TEST(CutsceneTimeline, WordsShowAtMidTimeAtAnyLength) {
  for (int n = 1; n <= 5; ++n) {
    for (double seconds : {1.0, 2.0, 4.0}) {
      const TFilmPlan plan = Plan(n);
      const double scale = CardTimeScale(plan, seconds);
      double strongest = 0.0;
      for (const TFilmCard& card : plan.cards)
        strongest = std::max(strongest, CardAlpha(card, seconds / 2.0, scale));
      EXPECT_GE(strongest, 0.99) << "film " << n << ", " << seconds << " s";
      EXPECT_EQ(BlackAlpha(seconds / 2.0, seconds), 0.0);
    }
  }
  const TFilmCard title = Plan(1).cards.front();
  EXPECT_EQ(CardAlpha(title, 0.0, 1.0), 0.0);
  EXPECT_EQ(CardAlpha(title, 4.0, 1.0), 1.0);
  EXPECT_EQ(CardAlpha(title, 8.0, 1.0), 0.0);
  EXPECT_DOUBLE_EQ(CardProgress(title, 0.0, 1.0), 0.0);
  EXPECT_DOUBLE_EQ(CardProgress(title, 30.0, 1.0), 1.0);
}

TEST(CutsceneCamera, GroundHeightNearTakesTheHighestSampleAround) {
  t_tab_pixel grid(10, std::vector<std::uint8_t>(10, 0));
  grid[3][6] = 51;  // row 3, column 6
  t_rain terrain;
  terrain.samples = std::make_shared<const t_tab_pixel>(grid);
  terrain.cellSize = 10.0;
  terrain.maxHeight = 255.0;
  // Column 6 stands at x = 10 x 6 - 50, row 3 at z = 50 - 10 x 3.
  EXPECT_DOUBLE_EQ(GroundHeightNear(terrain, 10.0, 20.0, 0.0), 51.0);
  EXPECT_DOUBLE_EQ(GroundHeightNear(terrain, 25.0, 20.0, 20.0), 51.0);
  EXPECT_DOUBLE_EQ(GroundHeightNear(terrain, -30.0, -30.0, 5.0), 0.0);
  EXPECT_DOUBLE_EQ(GroundHeightNear(terrain, 5000.0, 0.0, 5.0), 0.0);
  EXPECT_DOUBLE_EQ(GroundHeightNear(t_rain{}, 0.0, 0.0, 100.0), 0.0);
}

// Frame by frame at 60 a second, over the whole of the longest film: never closer to the
// ground than the clearance, over the terrain, looking ahead and down, with no jolt.
TEST(CutsceneCamera, FlightKeepsClearOfTheGroundAndMovesSmoothly) {
  const t_rain terrain = HillyTerrain(64, 20.0, 500.0);
  for (bool ending : {false, true}) {
    const double seconds = ending ? 66.0 : 56.0;
    TCameraPath path(terrain, seconds, ending, ending ? 5 : 1);
    TCameraPose previous = path.PoseAt(0.0);
    double previousStep = -1.0;
    for (double t = 1.0 / 60.0; t <= seconds; t += 1.0 / 60.0) {
      const TCameraPose pose = path.PoseAt(t);
      const double ground = GroundHeightNear(terrain, pose.eye.x, pose.eye.z, terrain.cellSize);
      ASSERT_GE(pose.eye.y, ground + path.Clearance() - 1e-6) << "at " << t << " s";
      ASSERT_LT(std::abs(pose.eye.x), 32 * 20.0);
      ASSERT_LT(std::abs(pose.eye.z), 32 * 20.0);
      ASSERT_LT(pose.target.y, pose.eye.y);
      const double step = HorizontalDistance(pose.eye, previous.eye);
      ASSERT_GT(step, 0.0);
      if (previousStep > 0.0) {
        ASSERT_NEAR(step, previousStep, 0.05 * previousStep);
      }
      ASSERT_LT(std::abs(pose.eye.y - previous.eye.y), 2.0) << "at " << t << " s";
      const T_point motion{pose.eye.x - previous.eye.x, 0.0, pose.eye.z - previous.eye.z};
      const T_point look{pose.target.x - pose.eye.x, 0.0, pose.target.z - pose.eye.z};
      const double ahead = (motion.x * look.x + motion.z * look.z) /
                           (std::hypot(motion.x, motion.z) * std::hypot(look.x, look.z));
      ASSERT_GT(ahead, 0.85) << "at " << t << " s";
      previous = pose;
      previousStep = step;
    }
  }
}

TEST(CutsceneCamera, AnEmptyTerrainStillGivesAFlight) {
  TCameraPath path(t_rain{}, 3.0, false, 2);
  const TCameraPose pose = path.PoseAt(1.5);
  EXPECT_TRUE(std::isfinite(pose.eye.x) && std::isfinite(pose.eye.z));
  EXPECT_NEAR(pose.eye.y, path.Clearance(), 1e-9);
  EXPECT_GT(path.Clearance(), 0.0);
  EXPECT_LT(pose.target.y, pose.eye.y);
  // Before the start and past the end the flight goes on at the planned heights.
  EXPECT_NEAR(path.PoseAt(-10.0).eye.y, path.Clearance(), 1e-9);
  EXPECT_NEAR(path.PoseAt(100.0).eye.y, path.Clearance(), 1e-9);
}

TEST(CutsceneTrack, BigGridsAreThinnedEvenlyForTheFilm) {
  EXPECT_EQ(FilmSamplePeriod(384, 0.5), 5);   // 192 samples a side become 76
  EXPECT_EQ(FilmSamplePeriod(256, 0.5), 2);   // 128: as the race
  EXPECT_EQ(FilmSamplePeriod(192, 0.5), 2);
  EXPECT_EQ(FilmSamplePeriod(128, 1.0), 1);
  EXPECT_EQ(FilmSamplePeriod(300, 1.0), 5);
  EXPECT_EQ(FilmSamplePeriod(0, 0.5), 2);
  // An accuracy that keeps uneven runs is left as it is.
  int keep = 0;
  int period = 0;
  AccuracyToFraction(0.58, keep, period);
  EXPECT_EQ(FilmSamplePeriod(1000, 0.58), period);
}

TEST(CutsceneTrack, AMissingTrackFallsBackOnTheSeasonsOwnFiles) {
  const fs::path previous = fs::current_path();
  const fs::path empty = fs::temp_directory_path() / ("velmora-film-track-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  fs::current_path(empty);
  const TFilmTrack track = LoadFilmTrack(Plan(2));
  fs::current_path(previous);
  fs::remove_all(empty);
  EXPECT_FALSE(track.fromTrackFile);
  EXPECT_NE(track.problem.find("autumn.track"), std::string::npos);
  EXPECT_EQ(track.terrain.heightmapPath, "screenplay_data/autumn/autumn.bmp");
  EXPECT_EQ(track.musicPath, "sounds/autumn.mp3");
  EXPECT_TRUE(track.terrain.Empty());
}
