#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "tools/writers/ByteWriter.h"
#include "world/Heightmap.h"

namespace {

struct TBmpLayout {
  int width = 4;
  int height = 4;  // negative: stored top row first
  int bits = 24;
  int rowLength = 12;         // bytes stored per row
  long declaredSize = -1;     // -1: the true size
  std::uint8_t Blue(int row, int col) const { return static_cast<std::uint8_t>(row * 16 + col); }
};

// A bitmap whose first byte of each pixel is row x 16 + column (row in file order) and
// whose other bytes, padding included, are 0xEE so that a misread shows.
TBytes MakeBmp(const TBmpLayout& s) {
  const int rows = s.height < 0 ? -s.height : s.height;
  const std::uint32_t size = 54u + static_cast<std::uint32_t>(s.rowLength * rows);
  TBytes out;
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, s.declaredSize < 0 ? size : static_cast<std::uint32_t>(s.declaredSize));
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(s.width));
  PutU32(out, static_cast<std::uint32_t>(s.height));
  PutU16(out, 1);
  PutU16(out, static_cast<unsigned>(s.bits));
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (int r = 0; r < rows; ++r) {
    for (int k = 0; k < s.rowLength; ++k) {
      bool sample = k % 3 == 0 && k / 3 < s.width;
      PutU8(out, sample ? s.Blue(r, k / 3) : 0xEE);
    }
  }
  return out;
}

t_tab_pixel Parse(const TBytes& bytes, std::string* line = nullptr) {
  std::string console;
  t_tab_pixel grid = ParseHeightmap(bytes, "track_data/map.bmp", console);
  if (line) *line = console;
  return grid;
}

std::string ErrorOf(const TBytes& bytes) {
  try {
    Parse(bytes);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return {};
}

}  // namespace

TEST(WorldHeightmap, SamplesAreTheFirstByteOfEachPixelInFileRowOrder) {
  TBmpLayout s;
  t_tab_pixel grid = Parse(MakeBmp(s));
  ASSERT_EQ(grid.size(), 4u);
  for (int r = 0; r < 4; ++r) {
    ASSERT_EQ(grid[r].size(), 4u);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(grid[r][c], s.Blue(r, c));
  }
}

TEST(WorldHeightmap, RowPaddingComesFromTheDeclaredSizeOrTheUsualAlignment) {
  TBmpLayout s;
  s.width = 5;
  s.height = 3;
  s.rowLength = 16;  // one padding byte a row, counted in the declared size
  t_tab_pixel grid = Parse(MakeBmp(s));
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_EQ(std::vector<std::uint8_t>(grid[2].begin(), grid[2].end()), (std::vector<std::uint8_t>{32, 33, 34, 35, 36}));
  // Declared size 0 (allowed for plain bitmaps): the rows are 4-byte aligned.
  s.declaredSize = 0;
  EXPECT_EQ(Parse(MakeBmp(s)), grid);
  // Declared too small and no room for padding in the file: rows of 15 bytes.
  s.rowLength = 15;
  s.declaredSize = 60;
  EXPECT_EQ(Parse(MakeBmp(s)), grid);
  // A declared size with more than one extra byte a row widens every row alike.
  s.rowLength = 20;
  s.declaredSize = -1;
  EXPECT_EQ(Parse(MakeBmp(s)), grid);
  // Fewer extra bytes than rows: no padding.
  s.rowLength = 15;
  s.declaredSize = 54 + 45 + 2;
  EXPECT_EQ(Parse(MakeBmp(s)), grid);
}

TEST(WorldHeightmap, TopDownBitmapsAreTurnedToMatchBottomUpOnes) {
  TBmpLayout s;
  s.height = -4;
  t_tab_pixel grid = Parse(MakeBmp(s));
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_EQ(grid[0][1], s.Blue(3, 1)) << "row 0 is the picture's bottom row, stored last";
  EXPECT_EQ(grid[3][2], s.Blue(0, 2));
}

TEST(WorldHeightmap, OtherDepthsGiveNoSamplesAndTheConsoleLine) {
  TBmpLayout s;
  s.bits = 8;
  std::string line;
  EXPECT_TRUE(Parse(MakeBmp(s), &line).empty());
  EXPECT_EQ(line, "Invalid bmp file. Must be 24bpp and not 8");
  s.bits = 32;
  Parse(MakeBmp(s), &line);
  EXPECT_EQ(line, "Invalid bmp file. Must be 24bpp and not 32");
  s.bits = 24;
  s.width = 0;
  EXPECT_TRUE(Parse(MakeBmp(s), &line).empty());
  EXPECT_EQ(line, "");
}

TEST(WorldHeightmap, ShortOrLyingFilesRaiseAnErrorNamingTheFile) {
  TBytes good = MakeBmp(TBmpLayout{});
  EXPECT_NE(ErrorOf(TBytes(good.begin(), good.begin() + 40)).find("track_data/map.bmp"), std::string::npos);
  EXPECT_NE(ErrorOf(TBytes(good.begin(), good.end() - 1)).find("map.bmp"), std::string::npos);
  EXPECT_EQ(ErrorOf(good), "");
  TBmpLayout huge;
  huge.declaredSize = 0x7FFFFFFF;  // rows "padded" far past the end of the file
  EXPECT_NE(ErrorOf(MakeBmp(huge)), "");
  auto withHeader = [&](std::size_t at, std::uint32_t value) {
    TBytes patched = good;
    for (int k = 0; k < 4; ++k) patched[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    return patched;
  };
  TBytes wide = withHeader(18, 0x7FFFFFFF);
  EXPECT_NE(ErrorOf(wide), "");
  EXPECT_NE(ErrorOf(withHeader(22, 0x80000000u)), "") << "the most negative height";
  EXPECT_NE(ErrorOf(withHeader(22, 0x7FFFFFFF)), "");
  TBytes badOffset = good;
  badOffset[13] = 0x70;  // pixel data "beyond" the file
  EXPECT_NE(ErrorOf(badOffset), "");
}

TEST(WorldHeightmap, ThinningKeepsTheFirstOfEachPeriod) {
  t_tab_pixel grid(256, std::vector<std::uint8_t>(256));
  for (int r = 0; r < 256; ++r) {
    for (int c = 0; c < 256; ++c) grid[r][c] = static_cast<std::uint8_t>((r * 7 + c) & 0xFF);
  }
  t_tab_pixel half = ThinGrid(grid, 0.5);
  ASSERT_EQ(half.size(), 128u);
  ASSERT_EQ(half[0].size(), 128u);
  EXPECT_EQ(half[5][9], grid[10][18]);
  EXPECT_EQ(ThinGrid(grid, 1.0), grid);
  t_tab_pixel tenth = ThinGrid(t_tab_pixel(20, std::vector<std::uint8_t>(20, 1)), 0.3);  // 3 of 10
  EXPECT_EQ(tenth.size(), 6u);
  EXPECT_EQ(tenth[0].size(), 6u);
  t_tab_pixel row{{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_EQ(ThinGrid(row, 0.3), (t_tab_pixel{{0, 1, 2, 10, 11}}));
}

TEST(WorldHeightmap, DefaultsAndTerrainValues) {
  EXPECT_EQ(DefaultMaxHeight(kDefaultCellSize, kDefaultAccuracy), 110.0);
  EXPECT_EQ(DefaultMaxHeight(30.0, 1.0), 610.0);
  EXPECT_FALSE(IsValidAccuracy(0.0));
  EXPECT_FALSE(IsValidAccuracy(1.5));
  EXPECT_TRUE(IsValidAccuracy(1.0));
  EXPECT_TRUE(IsValidAccuracy(0.01));
  t_rain t = TerrainValues("a.bmp", 0.5, 12.0, 99.0, "g.jpg", "t.jpg", "s.jpg", kDefaultMaterial);
  EXPECT_EQ(t.heightmapPath, "a.bmp");
  EXPECT_EQ(t.cellSize, 12.0);
  EXPECT_EQ(t.maxHeight, 99.0);
  EXPECT_EQ(t.skyTexturePath, "s.jpg");
  EXPECT_TRUE(t.Empty());
}

TEST(WorldHeightmap, LoadingFromFiles) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "velmora_heightmap_test";
  fs::create_directories(dir);
  TBmpLayout s;
  s.width = 8;
  s.height = 6;
  s.rowLength = 24;
  ASSERT_TRUE(WriteBytesToFile((dir / "map.bmp").string(), MakeBmp(s)));
  t_rain t = TerrainValues((dir / "MAP.bmp").string(), 0.5, 10, 110, "", "", "", kDefaultMaterial);
  LoadTerrainSamples(t);  // the letter case of a content path does not matter
  EXPECT_EQ(t.Rows(), 3);
  EXPECT_EQ(t.Cols(), 4);
  EXPECT_EQ(t.Sample(1, 1), s.Blue(2, 2));

  for (double bad : {0.0, 1.5}) {
    t.accuracy = bad;
    testing::internal::CaptureStdout();
    LoadTerrainSamples(t);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error : accurcy is invalid!\n");
    EXPECT_TRUE(t.Empty());
  }
  t.accuracy = 1.0;
  t.heightmapPath = (dir / "absent.bmp").string();
  try {
    LoadTerrainSamples(t);
    ADD_FAILURE() << "a missing heightmap must raise";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("absent.bmp"), std::string::npos);
  }
  fs::remove_all(dir);
}
