// The heightmap reader and its thinning on arbitrary bytes. The first byte picks the
// accuracy; the rest is the bitmap. The reader refuses only by throwing
// std::runtime_error, never keeps more samples than its limits allow, and thinning keeps
// exactly the rows and columns the accuracy says, each sample taken from its place.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/Lnb.h"
#include "world/Heightmap.h"

namespace {

// The source index of the k-th kept row or column.
std::size_t SourceOf(std::size_t k, int keep, int period) {
  return k / static_cast<std::size_t>(keep) * static_cast<std::size_t>(period) + k % static_cast<std::size_t>(keep);
}

void CheckThinned(const t_tab_pixel& grid, double accuracy) {
  try {
    CheckTerrainSize(grid.size(), grid.Cols(), accuracy, "fuzz.bmp");
  } catch (const std::runtime_error&) {
    return;  // refused: the terrain would not be built
  }
  const t_tab_pixel thinned = ThinGrid(grid, accuracy);
  if (thinned.size() != KeptCount(grid.size(), accuracy) || thinned.Cols() != KeptCount(grid.Cols(), accuracy)) {
    __builtin_trap();
  }
  if (static_cast<long long>(thinned.size() * thinned.Cols()) > kMaxTerrainSamples) __builtin_trap();
  int keep = 1, period = 1;
  if (accuracy != 1.0) AccuracyToFraction(accuracy, keep, period);
  for (std::size_t r = 0; r < thinned.size(); ++r) {
    for (std::size_t c = 0; c < thinned.Cols(); ++c) {
      if (thinned[r][c] != grid[SourceOf(r, keep, period)][SourceOf(c, keep, period)]) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const double accuracy = (data[0] + 1) / 256.0;  // (0, 1], 1 included
  const std::vector<std::uint8_t> bytes(data + 1, data + size);
  std::string line;
  t_tab_pixel grid;
  try {
    grid = ParseHeightmap(bytes, "fuzz.bmp", line);
  } catch (const std::runtime_error&) {
    return 0;
  }
  if (!grid.empty() && !line.empty()) __builtin_trap();  // samples and a refusal at once
  if (static_cast<long long>(grid.size() * grid.Cols()) > kMaxHeightmapPixels) __builtin_trap();
  if (grid.Bytes().size() != grid.size() * grid.Cols()) __builtin_trap();
  CheckThinned(grid, accuracy);
  return 0;
}
