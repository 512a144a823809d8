// Heightmaps of any size in the header cannot make the game take memory without bound:
// a grid costs its bytes, oversized bitmaps and terrains are refused naming the file,
// and the terrain's blocks are built one at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/FixtureFolder.h"
#include "tests/HeapMeter.h"
#include "tools/writers/ByteWriter.h"
#include "world/Heightmap.h"
#include "world/TerrainMesh.h"

namespace {

// A 24-bit bitmap header for width x height pixels followed by `pixelBytes` bytes of
// value `fill`, rows padded to 4 bytes as bitmaps are written.
TBytes BmpOf(int width, int height, std::size_t pixelBytes, std::uint8_t fill = 7) {
  const std::uint32_t rowLength = (3u * static_cast<std::uint32_t>(width) + 3u) / 4u * 4u;
  TBytes out;
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, 54u + rowLength * static_cast<std::uint32_t>(height));
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, 24);
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  out.resize(out.size() + pixelBytes, fill);
  return out;
}

std::string LoadError(const std::string& path, double accuracy) {
  t_rain terrain;
  terrain.heightmapPath = path;
  terrain.accuracy = accuracy;
  try {
    LoadTerrainSamples(terrain);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return {};
}

t_rain Flat(std::size_t rows, std::size_t cols) {
  t_rain terrain;
  auto grid = std::make_shared<t_tab_pixel>(rows, cols);
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < cols; ++c) (*grid)[r][c] = static_cast<std::uint8_t>(1 + (r + c) % 200);
  }
  terrain.samples = grid;
  return terrain;
}

}  // namespace

TEST(HeightmapLimits, ABitmapOfTooManyPixelsIsRefusedByItsHeaderNamingTheFile) {
  std::string console;
  // 4097 x 4096 pixels declared: refused before anything is allocated for them.
  try {
    ParseHeightmap(BmpOf(4097, 4096, 16), "track_data/huge.bmp", console);
    ADD_FAILURE() << "a bitmap over the pixel limit was read";
  } catch (const std::runtime_error& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("track_data/huge.bmp"), std::string::npos) << what;
    EXPECT_NE(what.find("4097 x 4096 pixels"), std::string::npos) << what;
  }
  // 4096 x 4096 is within the limit; this file is just too short for it.
  try {
    ParseHeightmap(BmpOf(4096, 4096, 16), "track_data/short.bmp", console);
    ADD_FAILURE() << "a short file was read";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("ends before"), std::string::npos) << e.what();
  }
}

TEST(HeightmapLimits, AOneByTwoMillionBitmapCostsItsBytesAndIsRefusedUnthinned) {
  TFixtureFolder dir;
  const int rows = 2'000'000;
  const TBytes bytes = BmpOf(1, rows, 4u * rows);  // 3 bytes and 1 of padding a row
  {
    TMeasuredHeap heap;
    std::string console;
    const t_tab_pixel grid = ParseHeightmap(bytes, "tall.bmp", console);
    ASSERT_EQ(grid.size(), static_cast<std::size_t>(rows));
    EXPECT_EQ(grid[rows - 1].size(), 1u);
    EXPECT_EQ(grid[rows - 1][0], 7);
    EXPECT_LE(heap.Peak(), rows + 4096) << "one byte a sample";
    EXPECT_LE(heap.Allocations(), 4);
    const t_tab_pixel half = ThinGrid(grid, 0.5);
    EXPECT_EQ(half.size(), static_cast<std::size_t>(rows / 2));
    EXPECT_EQ(half.Cols(), 1u);
    EXPECT_LE(heap.Peak(), rows + rows / 2 + 4096);
  }
  const std::string path = dir / "tall.bmp";
  ASSERT_TRUE(WriteBytesToFile(path, bytes));
  const std::string error = LoadError(path, 1.0);
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("after thinning"), std::string::npos) << error;
  EXPECT_EQ(LoadError(path, 0.5), "");  // a million samples after thinning: accepted
}

TEST(HeightmapLimits, AFileLargerThanAnyHeightmapIsNotReadAtAll) {
  TFixtureFolder dir;
  const std::string path = dir / "padded.bmp";
  // A valid 4 x 4 bitmap followed by 80 MB of nothing (a sparse file: no disk used).
  ASSERT_TRUE(WriteBytesToFile(path, BmpOf(4, 4, 64)));
  std::filesystem::resize_file(path, 80'000'000);
  const std::string error = LoadError(path, 1.0);
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("80000000 bytes"), std::string::npos) << error;
  std::filesystem::resize_file(path, 54 + 64);
  EXPECT_EQ(LoadError(path, 1.0), "");
}

TEST(HeightmapLimits, TheSampleLimitCountsWhatThinningKeeps) {
  EXPECT_EQ(KeptCount(2000, 0.5), 1000u);
  EXPECT_EQ(KeptCount(7, 0.3), 3u);    // keeps 3 of every 10: rows 0, 1, 2
  EXPECT_EQ(KeptCount(13, 0.3), 6u);   // and 10, 11, 12
  EXPECT_EQ(KeptCount(5, 1.0), 5u);
  EXPECT_NO_THROW(CheckTerrainSize(2048, 2048, 0.5, "a.bmp"));  // 1024 x 1024 kept
  EXPECT_THROW(CheckTerrainSize(2050, 2048, 0.5, "a.bmp"), std::runtime_error);
  EXPECT_THROW(CheckTerrainSize(1025, 1024, 1.0, "a.bmp"), std::runtime_error);
  for (std::size_t n : {0u, 1u, 9u, 10u, 11u, 256u, 257u}) {
    for (double accuracy : {0.2, 0.3, 0.5, 0.75, 1.0}) {
      EXPECT_EQ(KeptCount(n, accuracy), ThinGrid(t_tab_pixel(n, 1), accuracy).size()) << n << " " << accuracy;
      EXPECT_EQ(KeptCount(n, accuracy), ThinGrid(t_tab_pixel(1, n), accuracy).Cols()) << n << " " << accuracy;
    }
  }
}

TEST(HeightmapLimits, RowsOfTheGridMustShareOneLength) {
  EXPECT_THROW((t_tab_pixel{{1, 2, 3}, {4, 5}}), std::invalid_argument);
  const t_tab_pixel grid{{1, 2, 3}, {4, 5, 6}};
  EXPECT_EQ(grid.size(), 2u);
  EXPECT_EQ(grid[1][2], 6);
}

TEST(HeightmapLimits, TerrainBlocksAreBuiltOneAtATime) {
  const t_rain terrain = Flat(400, 400);  // 399 x 399 cells, 2 triangles each
  const std::vector<TTerrainChunk> all = BuildTerrainChunks(terrain);
  long long peak = 0;
  std::size_t visited = 0;
  {
    TMeasuredHeap heap;
    ForEachTerrainChunk(terrain, kChunkCells, [&](const TTerrainChunk& chunk) {
      ASSERT_LT(visited, all.size());
      EXPECT_EQ(chunk.firstColumn, all[visited].firstColumn);
      EXPECT_EQ(chunk.firstRow, all[visited].firstRow);
      EXPECT_EQ(chunk.triangles.size(), all[visited].triangles.size());
      ++visited;
    });
    peak = heap.Peak();
  }
  EXPECT_EQ(visited, all.size());
  EXPECT_EQ(TerrainChunkSlots(terrain), 25 * 25);
  // One block of 16 x 16 cells is 1536 vertices; the whole field would be ~950,000.
  EXPECT_LT(peak, 4 * 1536 * static_cast<long long>(sizeof(TMeshVertex)));
}
