#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace {
struct PathsTest : ::testing::Test {
  fs::path previous = fs::current_path();
  fs::path root = fs::temp_directory_path() / ("velmora-paths-" + std::to_string(::getpid()));
  void SetUp() override {
    fs::create_directories(root / "img" / "boutons" / "Main");
    fs::create_directories(root / "sounds");
    std::ofstream(root / "img" / "2Players_BckGrnd.jpg") << "jpeg";
    std::ofstream(root / "img" / "boutons" / "Main" / "focus.tga") << "tga";
    std::ofstream(root / "sounds" / "wind.wav") << "wav";
    fs::current_path(root);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(root);
  }
};
}  // namespace

TEST_F(PathsTest, ResolvesLetterCaseAndBackslashes) {
  EXPECT_EQ(ResolvePath("img/2Players_BckGrnd.jpg"), "img/2Players_BckGrnd.jpg");
  EXPECT_EQ(ResolvePath("img/2players_bckgrnd.jpg"), "img/2Players_BckGrnd.jpg");
  EXPECT_EQ(ResolvePath("IMG/BOUTONS/main/FOCUS.TGA"), "img/boutons/Main/focus.tga");
  EXPECT_EQ(ResolvePath("sounds\\wind.wav"), "sounds/wind.wav");
  EXPECT_TRUE(PathExists("Sounds\\Wind.WAV"));
  std::string text;
  ASSERT_TRUE(ReadFileText("img\\2PLAYERS_bckgrnd.JPG", text));
  EXPECT_EQ(text, "jpeg");
}

TEST_F(PathsTest, MissingFilesKeepTheNameAsked) {
  EXPECT_EQ(ResolvePath("img\\nothing.tga"), "img/nothing.tga");
  EXPECT_FALSE(PathExists("img/nothing.tga"));
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(ReadFileBytes("img/nothing.tga", bytes));
  EXPECT_FALSE(ReadFileBytes("img", bytes));  // a folder is not a file
}
