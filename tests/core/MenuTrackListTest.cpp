#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/TrackList.h"
#include "platform/ScriptedPlatform.h"
#include "tools/writers/ByteWriter.h"

namespace fs = std::filesystem;

namespace {

// The two headers of a 24-bit BMP, without pixels: all the list reads.
TBytes BmpHeaders(std::int32_t width, std::int32_t height) {
  TBytes b;
  PutU8(b, 'B');
  PutU8(b, 'M');
  PutU32(b, 54);
  PutU32(b, 0);
  PutU32(b, 54);
  PutU32(b, 40);
  PutU32(b, static_cast<std::uint32_t>(width));
  PutU32(b, static_cast<std::uint32_t>(height));
  PutU16(b, 1);
  PutU16(b, 24);
  for (int i = 0; i < 6; ++i) PutU32(b, 0);
  return b;
}

class MenuTrackList : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmora_tracks_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "track_data");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / "track_data" / name).string(); }
  std::string Bmp(const std::string& name, int w, int h) {
    EXPECT_TRUE(WriteBytesToFile(Path(name), BmpHeaders(w, h)));
    return Path(name);
  }
  std::string Track(const std::string& name) {
    EXPECT_TRUE(WriteTextToFile(Path(name), "course\n"));
    return Path(name);
  }

  fs::path dir_;
  TScriptedPlatform platform_;
  wnd::TPlatformGuard guard_{platform_};
};

}  // namespace

TEST_F(MenuTrackList, SizesComeFromTheHeaders) {
  int w = 0, h = 0;
  ASSERT_TRUE(ReadBitmapSize(Bmp("wide.bmp", 256, 128), w, h));
  EXPECT_EQ(w, 256);
  EXPECT_EQ(h, 128);
  // Too short to hold the sizes, missing, or with no area: not a track picture.
  TBytes cut = BmpHeaders(64, 64);
  cut.resize(25);
  ASSERT_TRUE(WriteBytesToFile(Path("cut.bmp"), cut));
  w = h = 7;
  EXPECT_FALSE(ReadBitmapSize(Path("cut.bmp"), w, h));
  EXPECT_FALSE(ReadBitmapSize(Path("none.bmp"), w, h));
  EXPECT_FALSE(ReadBitmapSize(Bmp("flat.bmp", 64, 0), w, h));
  EXPECT_FALSE(ReadBitmapSize(Bmp("upside.bmp", 64, -64), w, h));
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, 7);
}

TEST_F(MenuTrackList, TheDescriptionFileIsTheHeightmapsNameWithTrackInstead) {
  std::string hill = Bmp("hill.bmp", 8, 8);
  EXPECT_EQ(TrackFileFor(hill), "");
  std::string file = Track("hill.track");
  EXPECT_EQ(TrackFileFor(hill), file);
}

TEST_F(MenuTrackList, EveryReadableTrackIsListedInOrderAndTheRandomOneNeverHasAFile) {
  std::vector<std::string> names = {Bmp("a.bmp", 256, 256), Bmp("b.bmp", 256, 128),
                                    Bmp("random.bmp", 128, 128)};
  std::string aTrack = Track("a.track");
  Track("random.track");
  TTrackListing listing = BuildTrackListing(names);
  ASSERT_EQ(listing.tracks.size(), 3u);
  EXPECT_EQ(listing.tracks[0].heightmapName, names[0]);
  EXPECT_EQ(listing.tracks[0].trackFileName, aTrack);
  EXPECT_EQ(listing.tracks[1].width, 256);
  EXPECT_EQ(listing.tracks[1].height, 128);
  EXPECT_EQ(listing.tracks[1].trackFileName, "");
  EXPECT_EQ(listing.tracks[2].heightmapName, names[2]);
  EXPECT_EQ(listing.tracks[2].trackFileName, "");
  EXPECT_EQ(listing.readable, (std::vector<bool>{true, true, true}));
  for (const T_TrackFile& t : listing.tracks) EXPECT_EQ(t.previewTexture, 0u);
  EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(MenuTrackList, AMissingHeightmapIsNamedAndLeftOutButTheRandomTrackStaysLast) {
  std::vector<std::string> names = {Bmp("a.bmp", 64, 64), Path("gone.bmp"),
                                    Bmp("c.bmp", 32, 32), Path("random.bmp")};
  Track("gone.track");
  TTrackListing listing = BuildTrackListing(names);
  ASSERT_EQ(listing.tracks.size(), 3u);
  EXPECT_EQ(listing.tracks[0].heightmapName, names[0]);
  EXPECT_EQ(listing.tracks[1].heightmapName, names[2]);
  const T_TrackFile& random = listing.tracks[2];
  EXPECT_EQ(random.heightmapName, names[3]);
  EXPECT_EQ(random.width, 1);
  EXPECT_EQ(random.height, 1);
  EXPECT_EQ(listing.readable, (std::vector<bool>{true, true, false}));
  ASSERT_EQ(platform_.messages.size(), 2u);
  EXPECT_NE(platform_.messages[0].first.find(names[1]), std::string::npos);
  EXPECT_NE(platform_.messages[0].first.find("left out"), std::string::npos);
  EXPECT_NE(platform_.messages[1].first.find(names[3]), std::string::npos);
}
