// Building the terrain of a large map holds one block's triangles at a time: each block
// goes into its display list before the next is built. The picture is unchanged.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "tests/FixtureFolder.h"
#include "tests/HeapMeter.h"
#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "world/TerrainMesh.h"
#include "world/Umap.h"

namespace {

// Heights 1 to 200 everywhere: every cell of the field draws both its triangles.
TImage Hills(int side) {
  TImage image = MakeSolidImage(side, side, {0, 0, 0});
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      image.pixels[(static_cast<std::size_t>(y) * side + x) * 3 + 2] = static_cast<std::uint8_t>(1 + (x + 3 * y) % 200);
    }
  }
  return image;
}

}  // namespace

TEST(TerrainMemory, ALargeMapIsCompiledBlockByBlock) {
  FreshGlPlatform();
  TFixtureFolder dir;
  const std::string path = dir / "wide.bmp";
  ASSERT_TRUE(WriteBmp24(path, Hills(400)));
  long long peak = 0;
  {
    TMeasuredHeap heap;
    TMap map(path, 1.0, 10.0, 255.0, "", "", "");
    peak = heap.Peak();
    ASSERT_EQ(map.Terrain().Rows(), 400);
    EXPECT_EQ(map.ChunkCount(), 25 * 25);
    // Every list named is a list, and the names left for blocks are given back with them.
    for (std::uint32_t list : map.Lists()) EXPECT_TRUE(glIsList(list)) << list;
  }
  // 399 x 399 cells make about 955,000 vertices (38 MB) if held at once; the file, the
  // grid and one block of 16 x 16 cells are well under 4 MB.
  EXPECT_LT(peak, 4LL * 1024 * 1024) << "bytes held at the peak of the build";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TerrainMemory, AnOversizedMapIsRefusedNamingTheFile) {
  FreshGlPlatform();
  TFixtureFolder dir;
  const std::string path = dir / "vast.bmp";
  ASSERT_TRUE(WriteBmp24(path, Hills(1100)));
  try {
    TMap map(path, 1.0, 10.0, 255.0, "", "", "");
    ADD_FAILURE() << "a terrain of 1100 x 1100 samples was built";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  // At half the accuracy the same file keeps 550 x 550 samples and builds.
  TMap half(path, 0.5, 10.0, 255.0, "", "", "");
  EXPECT_EQ(half.Terrain().Rows(), 550);
}
