#include "world/Heightmap.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "assets/Lnb.h"
#include "platform/Paths.h"

namespace {

constexpr std::size_t kHeaderBytes = 54;  // file header and information header

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

[[noreturn]] void Refuse(const std::string& fileName, const std::string& what) {
  throw std::runtime_error("Heightmap \"" + fileName + "\": " + what);
}

// Bytes from one row's start to the next. The declared file size decides the padding;
// a size too small for the pixels (0 is common) falls back to the 4-byte alignment
// bitmaps are written with, or to no padding when the file holds only that.
long long RowLength(long long width, long long rows, long long declared, long long offset,
                    long long available) {
  long long length = 3 * width;
  long long extra = declared - offset - length * rows;
  if (extra >= rows) return length + extra / rows;
  if (extra >= 0) return length;
  long long aligned = (length + 3) / 4 * 4;
  return aligned * rows <= available - offset ? aligned : length;
}

// Larger than any bitmap within the pixel limit can be (4 bytes a pixel at most with the
// 4-byte row alignment), so it is refused before it is read into memory.
void RefuseOversizedFile(const std::string& path) {
  constexpr std::uintmax_t kMaxFileBytes = 4 * kMaxHeightmapPixels + 64 * 1024;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(ResolvePath(path), error);
  if (!error && size > kMaxFileBytes) {
    Refuse(path, "a file of " + std::to_string(size) + " bytes is larger than any heightmap may be");
  }
}

}  // namespace

double DefaultMaxHeight(double cellSize, double accuracy) { return 20.0 * cellSize * accuracy + 10.0; }

bool IsValidAccuracy(double accuracy) { return accuracy > 0.0 && accuracy <= 1.0; }

t_rain TerrainValues(const std::string& heightmapPath, double accuracy, double cellSize,
                     double maxHeight, const std::string& groundPath, const std::string& terrainPath,
                     const std::string& skyPath, const T_material& material) {
  t_rain t;
  t.heightmapPath = heightmapPath;
  t.accuracy = accuracy;
  t.cellSize = cellSize;
  t.maxHeight = maxHeight;
  t.groundTexturePath = groundPath;
  t.terrainTexturePath = terrainPath;
  t.skyTexturePath = skyPath;
  t.material = material;
  return t;
}

t_tab_pixel ParseHeightmap(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                           std::string& consoleLine) {
  consoleLine.clear();
  if (bytes.size() < kHeaderBytes) Refuse(fileName, "the bitmap header is cut short");
  const unsigned bits = static_cast<unsigned>(bytes[28]) | static_cast<unsigned>(bytes[29]) << 8;
  if (bits != 24) {
    consoleLine = "Invalid bmp file. Must be 24bpp and not " + std::to_string(bits);
    return {};
  }
  const long long width = static_cast<std::int32_t>(U32(bytes, 18));
  const long long signedRows = static_cast<std::int32_t>(U32(bytes, 22));
  const long long rows = std::llabs(signedRows);
  if (width <= 0 || rows == 0) return {};
  if (width > kMaxHeightmapPixels / rows) {
    Refuse(fileName, std::to_string(width) + " x " + std::to_string(rows) +
                            " pixels is more than the " + std::to_string(kMaxHeightmapPixels) +
                            " a heightmap may have");
  }
  const long long offset = U32(bytes, 10);
  const long long available = static_cast<long long>(bytes.size());
  // Checked in steps so that no product of header fields can overflow.
  if (offset > available || 3 * width > available - offset || rows > available - offset) {
    Refuse(fileName, "the file ends before its pixel rows");
  }
  const long long length = RowLength(width, rows, U32(bytes, 2), offset, available);
  if (length > (available - offset) / rows) Refuse(fileName, "the file ends before its pixel rows");
  t_tab_pixel grid(static_cast<std::size_t>(rows), static_cast<std::size_t>(width));
  for (long long r = 0; r < rows; ++r) {
    const std::uint8_t* row = bytes.data() + offset + r * length;
    auto samples = grid[static_cast<std::size_t>(signedRows < 0 ? rows - 1 - r : r)];
    for (long long i = 0; i < width; ++i) samples[static_cast<std::size_t>(i)] = row[3 * i];
  }
  return grid;
}

std::size_t KeptCount(std::size_t count, double accuracy) {
  if (accuracy == 1.0) return count;
  int keep = 1;
  int period = 1;
  AccuracyToFraction(accuracy, keep, period);
  const auto k = static_cast<std::size_t>(keep);
  const auto p = static_cast<std::size_t>(period);
  return count / p * k + std::min(count % p, k);
}

t_tab_pixel ThinGrid(const t_tab_pixel& grid, double accuracy) {
  if (accuracy == 1.0) return grid;
  int keep = 1;
  int period = 1;
  AccuracyToFraction(accuracy, keep, period);
  const auto kept = [&](std::size_t i) { return static_cast<int>(i % static_cast<std::size_t>(period)) < keep; };
  t_tab_pixel thinned(KeptCount(grid.size(), accuracy), KeptCount(grid.Cols(), accuracy));
  std::size_t to = 0;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    if (!kept(i)) continue;
    auto row = thinned[to++];
    std::size_t at = 0;
    for (std::size_t j = 0; j < grid.Cols(); ++j) {
      if (kept(j)) row[at++] = grid[i][j];
    }
  }
  return thinned;
}

void CheckTerrainSize(std::size_t rows, std::size_t cols, double accuracy, const std::string& fileName) {
  const std::size_t keptRows = KeptCount(rows, accuracy);
  const std::size_t keptCols = KeptCount(cols, accuracy);
  if (keptRows != 0 && keptCols > static_cast<std::size_t>(kMaxTerrainSamples) / keptRows) {
    throw std::runtime_error("Heightmap \"" + fileName + "\": " + std::to_string(keptCols) + " x " +
                             std::to_string(keptRows) + " samples after thinning is more than the " +
                             std::to_string(kMaxTerrainSamples) + " a terrain may have");
  }
}

void LoadTerrainSamples(t_rain& terrain) {
  terrain.samples = std::make_shared<const t_tab_pixel>();
  if (!IsValidAccuracy(terrain.accuracy)) {
    std::cout << kAccuracyMessage << std::endl;
    return;
  }
  RefuseOversizedFile(terrain.heightmapPath);
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(terrain.heightmapPath, bytes)) {
    throw std::runtime_error("Heightmap \"" + terrain.heightmapPath + "\" cannot be read");
  }
  std::string line;
  t_tab_pixel grid = ParseHeightmap(bytes, terrain.heightmapPath, line);
  if (!line.empty()) std::cout << line << std::endl;
  bytes = {};  // the file is not needed once its samples are out
  CheckTerrainSize(grid.size(), grid.Cols(), terrain.accuracy, terrain.heightmapPath);
  terrain.samples = std::make_shared<const t_tab_pixel>(ThinGrid(grid, terrain.accuracy));
}
