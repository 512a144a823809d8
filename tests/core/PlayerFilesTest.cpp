// Where written files go once the player has a folder of their own, and the one-time copy
// of the saved games that used to live beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/PlayerFiles.h"
#include "tests/FixtureFolder.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Sets the player folder for one test and clears it after, whatever the test does.
struct TPlayerFolderScope {
  explicit TPlayerFolderScope(const std::string& folder) { SetPlayerFolder(folder); }
  ~TPlayerFolderScope() { SetPlayerFolder(""); }
};

}  // namespace

TEST(PlayerFiles, WritesGoToThePlayerFolderAndReadsPreferThePlayersCopy) {
  TFixtureFolder dir;
  EXPECT_EQ(WritePath("save\\slot1.sav"), "save/slot1.sav");  // no folder: as before
  TPlayerFolderScope scope(dir / "home");
  EXPECT_EQ(WritePath("save/slot1.sav"), dir / "home/save/slot1.sav");
  EXPECT_EQ(WritePath("track_data\\01.track"), dir / "home/track_data/01.track");
  EXPECT_EQ(WritePath("/abs/file"), "/abs/file");
  // The content's file is read until the player has one of the same name.
  WriteText(dir / "content.track", "shipped");
  const std::string content = dir / "content.track";
  EXPECT_EQ(ReadPath(content), content);
  EXPECT_EQ(ReadPath("track_data/01.track"), "track_data/01.track");
  WriteText(dir / "home/track_data/01.track", "kept");
  EXPECT_EQ(ReadText(ReadPath("track_data/01.track")), "kept");
}

TEST(PlayerFiles, OldSlotsAreCopiedOnceNeverOverNewerOnesAndNeverDeleted) {
  TFixtureFolder dir;
  WriteText(dir / "old/slot1.sav", "old one");
  WriteText(dir / "old/slot2.sav", "old two");
  WriteText(dir / "old/notes.txt", "not a slot");
  WriteText(dir / "new/slot2.sav", "newer two");
  std::vector<std::string> notes;
  CopyOldSlotsOnce(dir / "old", dir / "new", notes);
  EXPECT_EQ(ReadText(dir / "new/slot1.sav"), "old one");
  EXPECT_EQ(ReadText(dir / "new/slot2.sav"), "newer two");
  EXPECT_FALSE(std::filesystem::exists(dir / "new/notes.txt"));
  EXPECT_EQ(ReadText(dir / "old/slot1.sav"), "old one");
  ASSERT_EQ(notes.size(), 1u);
  // The player clears a slot; the next start does not bring the old one back.
  std::filesystem::remove(dir / "new/slot1.sav");
  CopyOldSlotsOnce(dir / "old", dir / "new", notes);
  EXPECT_FALSE(std::filesystem::exists(dir / "new/slot1.sav"));
  EXPECT_EQ(notes.size(), 1u);
  // No old folder: nothing to do, nothing made.
  CopyOldSlotsOnce(dir / "none", dir / "other", notes);
  EXPECT_FALSE(std::filesystem::exists(dir / "other"));
}
