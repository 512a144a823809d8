// What the game sets up before its window opens: the settings read from the player's
// configuration folder, every file the game writes placed in the player's data folder and
// nothing beside the program, the old saved games brought over once, the content found
// beside the program or where an installed game keeps it, and a game that still runs
// when the environment names no home at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/StartUp.h"
#include "modes/TrackFile.h"
#include "platform/PlayerFiles.h"
#include "platform/SystemServices.h"
#include "saves/SettingsStore.h"
#include "saves/USave.h"
#include "tests/FixtureFolder.h"

namespace fs = std::filesystem;

namespace {

TEnvironment Env(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    const auto found = values.find(name);
    return found == values.end() ? nullptr : found->second.c_str();
  };
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Every file under the folder, relative to it.
std::set<std::string> FilesUnder(const std::string& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).string());
  }
  return files;
}

TTrackData OneRingCourse() {
  TTrackData data;
  data.heightmapPath = "track_data/test.bmp";
  data.initialTime = 10;
  data.terrain.cellSize = 10;
  TRing ring;
  ring.origin = {0, 195, 0};
  data.rings.push_back(ring);
  return data;
}

// A program folder with content and an old saved game, run from inside it as the game is;
// the working folder, the settings and the player folder are put back after each test.
struct StartUpTest : ::testing::Test {
  TFixtureFolder dir;
  const fs::path before = fs::current_path();
  const std::string program = dir / "program";
  const TEnvironment env = Env({{"HOME", dir / "home"},
                               {"XDG_CONFIG_HOME", dir / "config"},
                               {"XDG_DATA_HOME", dir / "data"}});

  void SetUp() override {
    WriteText(program + "/img/menu.tga", "content");
    WriteText(program + "/track_data/test.track", "shipped");
    WriteText(program + "/save/slot1.sav", FormatSlotText({true, "Ana", 300, 2, "then"}));
    fs::current_path(program);
  }
  void TearDown() override {
    fs::current_path(before);
    SetPlayerFolder("");
    SetSettingsFile("");
    CurrentSettings() = TSettings{};
  }
};

}  // namespace

TEST_F(StartUpTest, TheGamesFilesGoUnderTheDataFolderAndNothingIsWrittenBesideTheProgram) {
  const std::set<std::string> shipped = FilesUnder(program);
  std::vector<std::string> notes;
  const TStartUpPlaces places = PrepareUserFiles(env, notes);
  ASSERT_EQ(notes.size(), 1u);  // the copy of the old slot, told on the console
  EXPECT_NE(notes[0].find("slot1.sav"), std::string::npos) << notes[0];
  EXPECT_EQ(places.settingsFile, dir / "config/velmora/settings.ini");
  EXPECT_EQ(places.playerFolder, dir / "data/velmora");
  EXPECT_EQ(PlayerFolder(), dir / "data/velmora");

  TSave saves;  // the story's own "save" folder
  EXPECT_TRUE(saves.ReadSlots()[1].valid);  // the old slot, copied over
  ASSERT_TRUE(saves.WriteSlot(2, 500, "Bo", 1));
  WriteTrackFile("01", "track_data/01.track", OneRingCourse());
  EXPECT_EQ(ReadText(dir / "data/velmora/save/slot2.sav").substr(0, 10), "valide\r\nBo");
  EXPECT_EQ(ReadTrackFile("track_data/01.track").rings.size(), 1u);
  EXPECT_TRUE(fs::exists(dir / "data/velmora/track_data/01.track"));
  EXPECT_EQ(ReadTrackFile("track_data/01.track").initialTime, 10);
  // Shipped courses are still read from the content.
  EXPECT_THROW(ReadTrackFile("track_data/test.track"), std::runtime_error);  // "shipped" is no course

  CurrentSettings().musicVolume = 120;
  ASSERT_TRUE(StoreSettings());
  EXPECT_NE(ReadText(dir / "config/velmora/settings.ini").find("music_volume = 120"), std::string::npos);
  EXPECT_EQ(FilesUnder(program), shipped);
  EXPECT_FALSE(fs::exists(dir / "home"));  // the XDG variables win over HOME
}

TEST_F(StartUpTest, TheNextStartReadsTheSettingsBackAndCopiesTheOldSlotsOnlyOnce) {
  std::vector<std::string> notes;
  PrepareUserFiles(env, notes);
  const std::string copied = dir / "data/velmora/save/slot1.sav";
  EXPECT_EQ(ReadText(copied), ReadText(program + "/save/slot1.sav"));
  CurrentSettings().effectsVolume = 0;
  CurrentSettings().musicVolume = 35;
  ASSERT_TRUE(StoreSettings());
  fs::remove(copied);  // the player cleared it; the next start must not bring it back
  CurrentSettings() = TSettings{};

  PrepareUserFiles(env, notes);
  EXPECT_EQ(CurrentSettings().musicVolume, 35);
  EXPECT_EQ(CurrentSettings().effectsVolume, 0);
  EXPECT_FALSE(fs::exists(copied));
  EXPECT_TRUE(fs::exists(program + "/save/slot1.sav"));  // never deleted
}

TEST_F(StartUpTest, WithoutAnyHomeTheGameRunsAsBeforeWithOneNote) {
  std::vector<std::string> notes;
  const TStartUpPlaces places = PrepareUserFiles(Env({}), notes);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("HOME"), std::string::npos) << notes[0];
  EXPECT_TRUE(places.settingsFile.empty());
  EXPECT_TRUE(places.playerFolder.empty());
  EXPECT_EQ(CurrentSettings(), TSettings{});
  EXPECT_EQ(WritePath("save/slot1.sav"), "save/slot1.sav");
  CurrentSettings().musicVolume = 10;
  EXPECT_TRUE(StoreSettings());  // nowhere to keep it, and no complaint
  EXPECT_TRUE(TSave().ReadSlots()[1].valid);  // the slots beside the program, as before
}

TEST_F(StartUpTest, ADataFolderThatCannotBeMadeLeavesTheFilesBesideTheProgram) {
  WriteText(dir / "data", "a file where the folder should be");
  WriteText(dir / "config/velmora/settings.ini", "music_volume = 90\nloudness = 11\n");
  std::vector<std::string> notes;
  const TStartUpPlaces places = PrepareUserFiles(env, notes);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find(dir / "data"), std::string::npos) << notes[0];
  EXPECT_TRUE(places.playerFolder.empty());
  EXPECT_EQ(CurrentSettings().musicVolume, 90);  // the settings count all the same
}

TEST(ContentFolder, BesideTheProgramElseWhereAnInstalledGameKeepsIt) {
  TFixtureFolder dir;
  WriteText(dir / "build/run/img/a.tga", "x");
  EXPECT_EQ(sys::ContentFolderFor(dir / "build/run"), dir / "build/run");
  WriteText(dir / "prefix/share/velmora/img/a.tga", "x");
  fs::create_directories(dir / "prefix/bin");
  EXPECT_EQ(sys::ContentFolderFor(dir / "prefix/bin"), dir / "prefix/share/velmora");
  fs::create_directories(dir / "bare");
  EXPECT_EQ(sys::ContentFolderFor(dir / "bare"), dir / "bare");
}
