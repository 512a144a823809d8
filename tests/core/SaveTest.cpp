#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ScriptedPlatform.h"
#include "saves/USave.h"

namespace fs = std::filesystem;

namespace {

struct SaveTest : ::testing::Test {
  fs::path folder = fs::temp_directory_path() / ("velmora-save-" + std::to_string(::getpid()));
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard{platform};

  void SetUp() override { fs::remove_all(folder); }
  void TearDown() override { fs::remove_all(folder); }

  std::string Slot(int n) const { return (folder / ("slot" + std::to_string(n) + ".sav")).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Put(int slot, const std::string& text) {
    fs::create_directories(folder);
    std::ofstream(Slot(slot), std::ios::binary) << text;
  }
};

void ExpectEmpty(const Tsavedgame& entry) {
  EXPECT_FALSE(entry.valid);
  EXPECT_EQ(entry.name, "VIDE");
  EXPECT_EQ(entry.score, 0);
  EXPECT_EQ(entry.season, 0);
  EXPECT_EQ(entry.date, "VIDE");
}

}  // namespace

TEST(SaveDateTest, LabelCarriesHoursAndSeconds) {
  EXPECT_EQ(SaveDateLabel({2026, 12, 7, 14, 37, 9}), "Le 07/12/2026, a 14:09");
  EXPECT_EQ(SaveDateLabel({2031, 1, 30, 0, 5, 59}), "Le 30/01/2031, a 00:59");
}

TEST_F(SaveTest, NoFilesReadAsEmptySlots) {
  TSave saves(folder.string());
  for (const Tsavedgame& entry : saves.Slots()) ExpectEmpty(entry);
  TSavedGameList list = saves.ReadSlots();
  for (const Tsavedgame& entry : list) ExpectEmpty(entry);
  EXPECT_FALSE(fs::exists(folder));  // reading creates nothing
}

TEST_F(SaveTest, WrittenSlotsHaveTheStoredLayout) {
  TSave saves(folder.string());
  ASSERT_TRUE(saves.WriteSlot(0, 1200, "Ana", 2));  // the folder is made on the way
  ASSERT_TRUE(saves.WriteSlot(1, 1200, "Ana", 2));
  EXPECT_EQ(Contents(Slot(0)), "valide\r\nautosave\r\n1200\r\n2\r\nLe 07/12/2026, a 14:09\r\n");
  EXPECT_EQ(Contents(Slot(1)), "valide\r\nAna\r\n1200\r\n2\r\nLe 07/12/2026, a 14:09\r\n");
  EXPECT_FALSE(saves.Slots()[1].valid);  // the list follows at the next read
  TSavedGameList list = saves.ReadSlots();
  EXPECT_TRUE(list[0].valid);
  EXPECT_EQ(list[0].name, "autosave");
  EXPECT_EQ(list[1].name, "Ana");
  EXPECT_EQ(list[1].score, 1200);
  EXPECT_EQ(list[1].season, 2);
  EXPECT_EQ(list[1].date, "Le 07/12/2026, a 14:09");
  ExpectEmpty(list[2]);
  EXPECT_FALSE(fs::exists(Slot(1) + ".tmp"));
}

TEST_F(SaveTest, ClearedAndForeignSlotsReadInvalidKeepingTheirFields) {
  TSave saves(folder.string());
  saves.WriteSlot(0, 500, "x", 1);
  saves.WriteSlot(2, 700, "Bo", 3);
  saves.ReadSlots();
  ASSERT_TRUE(saves.ClearSlot(0));
  EXPECT_FALSE(saves.Slots()[0].valid);
  EXPECT_EQ(Contents(Slot(0)), "invalide\r\n");
  Put(2, "VALIDE\r\nZed\r\n9\r\n9\r\nnever read\r\n");
  TSavedGameList list = saves.ReadSlots();
  EXPECT_FALSE(list[0].valid);
  EXPECT_EQ(list[0].score, 500);  // only the flag changes
  EXPECT_FALSE(list[2].valid);
  EXPECT_EQ(list[2].name, "Bo");
}

TEST_F(SaveTest, DamagedFilesReadInvalidAndNeverStopTheGame) {
  TSave saves(folder.string());
  Put(0, "valide\nLF\n42\n1\nLe 01/01/2027, a 10:10\n");  // LF lines are fine
  Put(1, "valide\r\nAna\r\ntwelve\r\n2\r\nLe\r\n");
  Put(2, "valide\r\nAna\r\n1200\r\n");                   // cut short before the season
  Put(3, "valide\r\nAna\r\n99999999999\r\n2\r\nLe\r\n");  // score beyond 32 bits
  TSavedGameList list = saves.ReadSlots();
  EXPECT_TRUE(list[0].valid);
  EXPECT_EQ(list[0].name, "LF");
  EXPECT_EQ(list[0].score, 42);
  for (int slot = 1; slot < 4; ++slot) ExpectEmpty(list[static_cast<std::size_t>(slot)]);
  fs::remove(Slot(1));
  fs::create_directories(Slot(1));  // a folder where the file should be
  EXPECT_FALSE(saves.ReadSlots()[1].valid);
}

TEST(SaveParseTest, NumbersAndLinesAreReadStrictly) {
  Tsavedgame entry;
  EXPECT_TRUE(ParseSlotText("valide\r\nA\r\n +15 \r\n-2\r\n", entry));
  EXPECT_EQ(entry.score, 15);
  EXPECT_EQ(entry.season, 0);  // no season comes before the first
  EXPECT_EQ(entry.date, "");
  for (const char* bad : {"", "valide", "valide\r\nA\r\n1.5\r\n2\r\n", "valide\r\nA\r\n1\r\n2x\r\n",
                          "valide\r\nA\r\n+-1\r\n2\r\n", "valide\r\nA\r\n\r\n2\r\n",
                          " valide\r\nA\r\n1\r\n2\r\n"}) {
    Tsavedgame kept{true, "kept", 7, 8, "d"};
    EXPECT_FALSE(ParseSlotText(bad, kept)) << bad;
    EXPECT_EQ(kept.name, "kept");
    EXPECT_EQ(kept.score, 7);
  }
  // A name cannot break the layout of the file it is written to.
  Tsavedgame tricky{true, "two\r\nlines", 1, 2, "d"};
  ASSERT_TRUE(ParseSlotText(FormatSlotText(tricky), entry));
  EXPECT_EQ(entry.name, "two  lines");
  EXPECT_EQ(entry.season, 2);
}

TEST_F(SaveTest, SlotsOutsideZeroToThreeAreRefused) {
  TSave saves(folder.string());
  EXPECT_FALSE(saves.WriteSlot(4, 1, "A", 1));
  EXPECT_FALSE(saves.ClearSlot(-1));
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(SaveTest, FailedWriteIsReportedAndReturnsFalse) {
  fs::create_directories(folder.parent_path());
  std::ofstream(folder.string()) << "a file where the save folder should be";
  TSave saves(folder.string());
  EXPECT_FALSE(saves.WriteSlot(1, 1200, "Ana", 2));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].first.find("slot1.sav"), std::string::npos);
  EXPECT_FALSE(saves.ClearSlot(0));
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_FALSE(saves.ReadSlots()[1].valid);
  fs::remove(folder);
}

TEST_F(SaveTest, CrashAtAnyStepOfAWriteLeavesAReadableSlot) {
  for (int step = 1; step <= kWriteSteps; ++step) {
    fs::remove_all(folder);
    TSave saves(folder.string());
    ASSERT_TRUE(saves.WriteSlot(2, 300, "Old", 1));
    saves.StopWritesAfter(static_cast<TWriteStep>(step));
    saves.WriteSlot(2, 900, "New", 3);
    TSave after(folder.string());  // the next run of the game
    const Tsavedgame slot = after.ReadSlots()[2];
    ASSERT_TRUE(slot.valid) << "step " << step;
    if (step < kWriteSteps) {
      EXPECT_EQ(slot.name, "Old") << "step " << step;
      EXPECT_EQ(slot.season, 1);
    } else {
      EXPECT_EQ(slot.name, "New");
      EXPECT_EQ(slot.season, 3);
    }
    // The run after a crash writes over whatever the crash left behind.
    ASSERT_TRUE(after.WriteSlot(2, 1000, "Next", 4)) << "step " << step;
    EXPECT_EQ(after.ReadSlots()[2].name, "Next");
    const auto files = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    EXPECT_EQ(files, 1) << "step " << step << ": a temporary file was left beside slot2.sav";
    EXPECT_TRUE(platform.messages.empty());
  }
}
