// The story's paths with the scripted platform and the fake clock: seasons won and lost,
// the save screen, the autosave, the films started, and loading a slot.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "modes/TrackFile.h"
#include "modes/Uworld_Screenplay.h"
#include "saves/USave.h"
#include "tests/gl/GlTestSupport.h"

namespace fs = std::filesystem;

namespace {

const char* const kSeasons[4] = {"summer", "autumn", "winter", "final"};

// A game folder of its own: the real content by links, and seasons that are won in
// their first frame (a ring at the start) or lost within two seconds (a ring far away).
struct StoryModeTest : ::testing::Test {
  TScriptedGlPlatform& platform = FreshGlPlatform();
  TGameFolder folder{{"img", "mesh", "textures", "sounds", "track_data"}, {}};
  const fs::path& previous = folder.RunFolder();
  const fs::path& root = folder.Root();

  void SetUp() override {
    fs::create_directories(root / "save");
    platform.frameMs = 100;
  }

  void SetSeason(int index, bool winnable) {
    const std::string name = kSeasons[index];
    const fs::path folder = root / "screenplay_data" / name;
    fs::create_directories(folder);
    fs::copy_file(previous / "screenplay_data" / name / (name + ".bmp"), folder / (name + ".bmp"),
                  fs::copy_options::overwrite_existing);
    TTrackData data;
    data.heightmapPath = "screenplay_data/" + name + "/" + name + ".bmp";
    data.initialTime = winnable ? 10 : 0;
    data.musicPath = "sounds/" + name + ".mp3";
    data.terrain.accuracy = 0.5;
    data.terrain.cellSize = 10;
    data.terrain.maxHeight = 110;
    data.terrain.groundTexturePath = "textures/" + name + "_ground.jpg";
    data.terrain.terrainTexturePath = "textures/" + name + "_terrain.jpg";
    data.terrain.skyTexturePath = "textures/" + name + "_sky.jpg";
    TRing ring;
    ring.origin = winnable ? T_point{0, 195, 0} : T_point{0, 195, -5000};
    ring.points = T_tab_point(16, ring.origin);
    data.rings.push_back(ring);
    WriteTrackFile(name, (folder / (name + ".track")).string(), data);
  }
  void SetSeasons(std::initializer_list<bool> winnable) {
    int i = 0;
    for (bool w : winnable) SetSeason(i++, w);
  }

  // Holds the pointer over (x, y) and clicks every few frames: only the save screen
  // listens to the mouse during a story.
  void KeepClicking(int x, int y) {
    platform.onSwap = [x, y](TScriptedPlatform& p) {
      p.input.mouseX = x;
      p.input.mouseY = y;
      p.input.button = p.swaps % 4 < 2;
    };
  }

  Tsavedgame Slot(int n) { return TSave("save").ReadSlots()[n]; }
};

// Window pixels of the save screen's buttons (virtual units x 1.28).
constexpr int kSlot2X = 508, kSlot2Y = 357;
constexpr int kBackX = 783, kBackY = 737;

}  // namespace

TEST_F(StoryModeTest, ALostSummerEndsTheStoryWithTheAutosaveAtSummer) {
  SetSeasons({false, true, true, true});
  TScreenplay story(1024, 768, 255, -1);
  EXPECT_EQ(story.Season(), 0);
  EXPECT_EQ(story.Nickname(), "nick");
  std::string result;
  story.Run(255, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(platform.startedPrograms, (std::vector<std::string>{"video/001.exe"}));
  Tsavedgame autosave = Slot(0);
  EXPECT_TRUE(autosave.valid);
  EXPECT_EQ(autosave.name, "autosave");
  EXPECT_EQ(autosave.season, 0);
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(Slot(n).valid) << n;
}

TEST_F(StoryModeTest, AWonSummerShowsTheSaveScreenThenAutumnFollows) {
  SetSeasons({true, false, true, true});
  KeepClicking(kSlot2X, kSlot2Y);
  TScreenplay story(1024, 768, 180, -1);
  std::string result;
  story.Run(255, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(platform.startedPrograms,
            (std::vector<std::string>{"video/001.exe", "video/002.exe"}));
  Tsavedgame saved = Slot(2);
  ASSERT_TRUE(saved.valid);
  EXPECT_EQ(saved.season, 1);
  EXPECT_EQ(saved.name, "nick");
  EXPECT_EQ(saved.score, 10 + 10 + 1);  // one ring and the time bonus of a 10 s clock
  EXPECT_EQ(Slot(0).season, 1);
  // Autumn was lost at once: the score carried through it gains nothing.
  EXPECT_EQ(story.TotalScore(), 21);
}

TEST_F(StoryModeTest, BackToTheMenuStillAutosavesTheNextSeason) {
  SetSeasons({true, true, true, true});
  KeepClicking(kBackX, kBackY);
  TScreenplay story(1024, 768, 255, -1);
  std::string result;
  story.Run(255, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(platform.startedPrograms, (std::vector<std::string>{"video/001.exe"}));
  EXPECT_EQ(Slot(0).season, 1);
  EXPECT_EQ(Slot(0).score, 21);
  EXPECT_FALSE(Slot(1).valid);
}

// The save screen answers the keys: Enter tapped every few frames (the race and the film
// ignore it) shows the focus on the first slot, then presses it.
TEST_F(StoryModeTest, TheSaveScreenIsUsedWithTheKeysAlone) {
  SetSeasons({true, false, true, true});
  platform.onSwap = [](TScriptedPlatform& p) {
    if (p.swaps % 4 == 0) p.Tap(wnd::KEY_ENTER);
  };
  TScreenplay story(1024, 768, 255, -1);
  std::string result;
  story.Run(255, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(platform.startedPrograms, (std::vector<std::string>{"video/001.exe", "video/002.exe"}));
  ASSERT_TRUE(Slot(1).valid);
  EXPECT_EQ(Slot(1).season, 1);
  EXPECT_FALSE(Slot(2).valid);
}

TEST_F(StoryModeTest, AWonFinalPlaysTheLastFilmAndWaitsForIt) {
  SetSeasons({true, true, true, true});
  TSave("save").WriteSlot(1, 500, "Ana", 3);
  TScreenplay story(1024, 768, 255, 1);
  EXPECT_EQ(story.Season(), 3);
  EXPECT_EQ(story.TotalScore(), 500);
  EXPECT_EQ(story.Nickname(), "Ana");
  std::uint32_t start = platform.now;
  std::string result;
  story.Run(0, result);
  EXPECT_EQ(result, "MENU");
  EXPECT_EQ(platform.startedPrograms,
            (std::vector<std::string>{"video/004.exe", "video/005.exe"}));
  // The final's film (40 s, waited 41) and the ending's (66 s, waited 67).
  EXPECT_GE(platform.now - start, (41u + 67u) * 1000u);
  EXPECT_EQ(story.TotalScore(), 500 + 21);
}

TEST_F(StoryModeTest, LoadingSlotThreeAtWinterStartsWithTheWinterFilm) {
  SetSeasons({true, true, false, true});
  TSave("save").WriteSlot(3, 77, "Bo", 2);
  TScreenplay story(1024, 768, 255, 3);
  std::string result;
  story.Run(255, result);
  ASSERT_FALSE(platform.startedPrograms.empty());
  EXPECT_EQ(platform.startedPrograms.front(), "video/003.exe");
  EXPECT_EQ(Slot(0).season, 2);
  EXPECT_EQ(Slot(0).score, 77);
}

TEST_F(StoryModeTest, QuickLoadResumesAValidAutosaveAndStartsAnewOtherwise) {
  SetSeasons({false, false, false, false});
  TSave("save").WriteSlot(0, 300, "ignored", 2);
  TScreenplay resumed(1024, 768, 255, 0);
  EXPECT_EQ(resumed.Season(), 2);
  EXPECT_EQ(resumed.TotalScore(), 300);
  EXPECT_EQ(resumed.Nickname(), "nick");
  TSave("save").ClearSlot(0);
  TScreenplay fresh(1024, 768, 255, 0);
  EXPECT_EQ(fresh.Season(), 0);
  EXPECT_EQ(fresh.TotalScore(), 0);
}

TEST_F(StoryModeTest, SpaceOrTheFilmsEndCutsTheWaitShort) {
  SetSeasons({false, false, false, false});
  TScreenplay story(1024, 768, 255, -1);
  // Space pressed while the film plays; a space held or tapped during the race before is
  // no wish to skip.
  platform.input.keys = {wnd::KEY_SPACE};
  platform.Tap(wnd::KEY_SPACE);
  platform.onPoll = [](TScriptedPlatform& p) {
    if (p.polls == 5) p.input.keys.clear();
    if (p.polls == 8) p.Tap(wnd::KEY_SPACE);
  };
  platform.polls = 0;
  std::uint32_t start = platform.now;
  story.WaitVideo(56);
  EXPECT_EQ(platform.polls, 8);
  EXPECT_LT(platform.now - start, 100u);
  platform.onPoll = nullptr;
  platform.input.keys.clear();
  start = platform.now;
  story.WaitVideo(3);
  EXPECT_GE(platform.now - start, 4000u);
  EXPECT_LT(platform.now - start, 4100u);
  // A film that has ended (the player closed it) ends the wait too.
  platform.programRunning = false;
  start = platform.now;
  story.WaitVideo(56);
  EXPECT_LT(platform.now - start, 100u);
}
