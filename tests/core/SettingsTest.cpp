// The settings file and the player's folders: what a hand-edited, damaged or missing file
// gives, and where the files go under the XDG variables.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "platform/UserFolders.h"
#include "saves/Settings.h"
#include "tests/FixtureFolder.h"

namespace {

TEnvironment Env(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    const auto found = values.find(name);
    return found == values.end() ? nullptr : found->second.c_str();
  };
}

TSettings Parse(const std::string& text, std::vector<std::string>& notes) {
  TSettings settings;
  ParseSettings(text, "settings.ini", settings, notes);
  return settings;
}

}  // namespace

TEST(PlayerFolders, FollowTheXdgVariablesAndFallBackToTheHomeFolder) {
  EXPECT_EQ(ConfigFolder(Env({{"HOME", "/home/ana"}})), "/home/ana/.config/velmora");
  EXPECT_EQ(DataFolder(Env({{"HOME", "/home/ana"}})), "/home/ana/.local/share/velmora");
  EXPECT_EQ(SettingsFile(Env({{"HOME", "/home/ana/"}})), "/home/ana/.config/velmora/settings.ini");
  const TEnvironment xdg = Env({{"HOME", "/home/ana"}, {"XDG_CONFIG_HOME", "/cfg/"}, {"XDG_DATA_HOME", "/data"}});
  EXPECT_EQ(ConfigFolder(xdg), "/cfg/velmora");
  EXPECT_EQ(DataFolder(xdg), "/data/velmora");
  // Empty or relative variables do not count; no home at all gives no folder.
  const TEnvironment odd = Env({{"HOME", "/h"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", "data"}});
  EXPECT_EQ(ConfigFolder(odd), "/h/.config/velmora");
  EXPECT_EQ(DataFolder(odd), "/h/.local/share/velmora");
  EXPECT_EQ(ConfigFolder(Env({})), "");
  EXPECT_EQ(SettingsFile(Env({{"HOME", "relative"}})), "");
}

TEST(PlayerFolders, NewFoldersAreThePlayersAloneAndAFileInTheWayIsReported) {
  TFixtureFolder dir;
  const std::string deep = dir / "a/b/velmora";
  std::string error;
  ASSERT_TRUE(MakeFolders(deep, error)) << error;
  struct stat info {};
  ASSERT_EQ(stat((dir / "a").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(MakeFolders(deep, error));  // already there
  std::ofstream(dir / "file") << "x";
  EXPECT_FALSE(MakeFolders(dir / "file/velmora", error));
  EXPECT_NE(error.find("/file/velmora"), std::string::npos) << error;
  EXPECT_FALSE(MakeFolders("", error));
}

TEST(SettingsFile, AHandWrittenFileIsReadWithItsSpacesCaseAndComments) {
  std::vector<std::string> notes;
  const TSettings settings = Parse(
      "# mine\r\n\n  MUSIC_VOLUME=12\r\n\teffects_volume  =  0 \n; old style comment\n"
      "fullscreen = No\nwindow_width = 800\nwindow_height=600\nmusic_volume = 40\n",
      notes);
  EXPECT_TRUE(notes.empty()) << notes.front();
  EXPECT_EQ(settings.musicVolume, 40);  // the last line of a key wins
  EXPECT_EQ(settings.effectsVolume, 0);
  EXPECT_FALSE(settings.fullScreen);
  EXPECT_EQ(settings.windowWidth, 800);
  EXPECT_EQ(settings.windowHeight, 600);
}

TEST(SettingsFile, EveryBadLineIsSkippedWithItsLineNumberAndTheRestStillCounts) {
  std::vector<std::string> notes;
  const TSettings settings = Parse(
      "music_volume = 256\neffects_volume = -1\nfullscreen = maybe\nwindow_width = 100\n"
      "window_height = 2e3\nmusic_volume 10\nvolume = 3\neffects_volume = 99999999999999\n"
      "window_width = 1280\n",
      notes);
  TSettings expected;
  expected.windowWidth = 1280;
  EXPECT_EQ(settings, expected);
  ASSERT_EQ(notes.size(), 8u);
  EXPECT_EQ(notes[0].rfind("settings.ini:1: music_volume = 256 is outside 0 to 255", 0), 0u) << notes[0];
  EXPECT_EQ(notes[2].rfind("settings.ini:3: fullscreen takes yes or no", 0), 0u) << notes[2];
  EXPECT_EQ(notes[5].rfind("settings.ini:6: not a 'key = value' line", 0), 0u) << notes[5];
  EXPECT_EQ(notes[6].rfind("settings.ini:7: unknown setting 'volume'", 0), 0u) << notes[6];
}

TEST(SettingsFile, AGarbledFileGivesFewNotesAndPrintableOnes) {
  std::string garbage;
  for (int i = 0; i < 500; ++i) garbage += std::string("\x01\xff=\x1b[2J") + std::string(100, 'x') + "\n";
  std::vector<std::string> notes;
  EXPECT_EQ(Parse(garbage, notes), TSettings{});
  ASSERT_LE(notes.size(), 13u);
  EXPECT_NE(notes.back().find("more lines skipped"), std::string::npos);
  for (const std::string& note : notes) {
    EXPECT_LT(note.size(), 160u);
    for (char c : note) EXPECT_TRUE(std::isprint(static_cast<unsigned char>(c))) << note;
  }
}

TEST(SettingsFile, WhatIsSavedReadsBackAndNoFileMeansTheDefaults) {
  TFixtureFolder dir;
  const std::string path = dir / "config/velmora/settings.ini";
  std::vector<std::string> notes;
  EXPECT_EQ(LoadSettings(path, notes), TSettings{});
  EXPECT_TRUE(notes.empty());
  const TSettings defaults;
  EXPECT_EQ(defaults.musicVolume, 255);
  EXPECT_EQ(defaults.effectsVolume, 255);
  EXPECT_TRUE(defaults.fullScreen);

  TSettings changed;
  changed.musicVolume = 7;
  changed.fullScreen = false;
  changed.windowWidth = 1600;
  std::string error;
  ASSERT_TRUE(SaveSettings(path, changed, error)) << error;
  EXPECT_EQ(LoadSettings(path, notes), changed);
  EXPECT_TRUE(notes.empty());
  // Only the file itself is left: no temporary beside it.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "config/velmora")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(SettingsFile, AFileThatIsNoSettingsFileGivesTheDefaultsWithANote) {
  TFixtureFolder dir;
  std::vector<std::string> notes;
  std::filesystem::create_directories(dir / "folder.ini");
  EXPECT_EQ(LoadSettings(dir / "folder.ini", notes), TSettings{});
  ASSERT_EQ(notes.size(), 1u);
  std::ofstream(dir / "huge.ini") << std::string(100 * 1024, '#');
  EXPECT_EQ(LoadSettings(dir / "huge.ini", notes), TSettings{});
  EXPECT_EQ(notes.size(), 2u);
  std::string error;
  EXPECT_FALSE(SaveSettings(dir / "folder.ini", TSettings{}, error));
  EXPECT_FALSE(error.empty());
}
