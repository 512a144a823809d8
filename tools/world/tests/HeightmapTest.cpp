#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>

#include "tools/world/Heightmaps.h"
#include "world/Heightmap.h"

namespace {

std::uint32_t U32(const TBytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

const TTrackDesign& Design(const std::string& name) {
  for (const TTrackDesign& d : TrackDesigns())
    if (d.name == name) return d;
  throw std::runtime_error("no design " + name);
}

// Each heightmap is built once for all the tests.
const THeightmap& MapOf(const TTrackDesign& design) {
  static std::map<std::string, THeightmap> built;
  auto found = built.find(design.name);
  if (found == built.end()) found = built.emplace(design.name, BuildHeightmap(design)).first;
  return found->second;
}

// The samples as the game keeps them from the bitmap at the design's accuracy.
t_tab_pixel GameSamples(const TTrackDesign& design) {
  std::string consoleLine;
  return ThinGrid(ParseHeightmap(HeightmapBmp(MapOf(design)), design.heightmapPath, consoleLine), design.accuracy);
}

}  // namespace

TEST(WorldgenHeightmap, BmpHeadersDescribeTheBytes) {
  const THeightmap& map = MapOf(Design("ridezi"));
  const TBytes bmp = HeightmapBmp(map);
  ASSERT_GE(bmp.size(), 98u);  // the terrain reads 98 header bytes
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 18), 256u);
  EXPECT_EQ(U32(bmp, 22), 128u);
  EXPECT_EQ(bmp[28], 24);
  EXPECT_EQ(bmp.size(), 54u + 256u * 3u * 128u);
  // Grey pixels, first stored row first: the blue byte is the height.
  EXPECT_EQ(bmp[54], map.At(0, 0));
  EXPECT_EQ(bmp[55], map.At(0, 0));
  EXPECT_EQ(bmp[54 + 3 * 5 + 256 * 3 * 2], map.At(5, 2));
}

TEST(WorldgenHeightmap, SizesVaryAndKeepRowsWholeWords) {
  bool wide = false;
  for (const TTrackDesign& d : TrackDesigns()) {
    SCOPED_TRACE(d.name);
    EXPECT_GE(d.bitmapWidth, 128);
    EXPECT_LE(d.bitmapWidth, 512);
    // Texture uploads assume rows of whole 4-byte words.
    EXPECT_EQ(d.bitmapWidth * 3 % 4, 0);
    wide = wide || d.bitmapWidth != d.bitmapHeight;
  }
  EXPECT_TRUE(wide);
}

TEST(WorldgenHeightmap, TerrainHasPlainsHillsAndPeaks) {
  for (const TTrackDesign& d : TrackDesigns()) {
    SCOPED_TRACE(d.name);
    const THeightmap& map = MapOf(d);
    const auto flat = std::count(map.values.begin(), map.values.end(), std::uint8_t{0});
    const auto high = std::count_if(map.values.begin(), map.values.end(), [](std::uint8_t v) { return v > 200; });
    const auto middle = std::count_if(map.values.begin(), map.values.end(), [](std::uint8_t v) { return v > 60 && v < 180; });
    const double n = static_cast<double>(map.values.size());
    EXPECT_GT(flat / n, 0.01);
    EXPECT_GT(high / n, 0.01);
    EXPECT_GT(middle / n, 0.15);
  }
}

TEST(WorldgenHeightmap, ValleyKeepsTheFlightLineClearOfTheSamples) {
  for (const TTrackDesign& d : TrackDesigns()) {
    if (d.plan.empty()) continue;
    SCOPED_TRACE(d.name);
    const t_tab_pixel samples = GameSamples(d);
    const int rows = static_cast<int>(samples.size());
    const int cols = static_cast<int>(samples[0].size());
    for (const TPathPoint& point : FlightLine(d.plan, d.cellSize)) {
      // Every sample within the valley floor's reach lies under the floor's limit.
      for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
          const double x = col * d.cellSize - cols * d.cellSize / 2.0;
          const double z = rows * d.cellSize / 2.0 - row * d.cellSize;
          if (std::hypot(x - point.position.x, z - point.position.z) > ValleyFloor(d)) continue;
          const double height = samples[row][col] * d.maxHeight / 255.0;
          // Where the line flies lower than the clearance, the floor is the flat ground.
          ASSERT_LE(height, std::max(0.0, point.position.y - ValleyClearance(d)) + d.maxHeight / 255.0)
              << "sample " << row << "," << col;
        }
      }
    }
  }
}

TEST(WorldgenHeightmap, WorldSizeFollowsTheGamesThinning) {
  // The valleys are carved where the game will place the samples.
  for (const TTrackDesign& d : TrackDesigns()) {
    SCOPED_TRACE(d.name);
    const t_tab_pixel samples = GameSamples(d);
    EXPECT_EQ(static_cast<int>(samples.size()), KeptSamples(d.bitmapHeight, d.accuracy));
    EXPECT_EQ(static_cast<int>(samples[0].size()), KeptSamples(d.bitmapWidth, d.accuracy));
    EXPECT_EQ(samples[1][1], MapOf(d).At(ThinningPeriod(d.accuracy), ThinningPeriod(d.accuracy)));
  }
  EXPECT_EQ(KeptSamples(500, 0.2), 100);
  EXPECT_EQ(KeptSamples(256, 0.5), 128);
}
