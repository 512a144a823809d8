// The desktop icon as an icon theme reads it: a PNG of the size asked for, a shape with
// transparent corners and an opaque, coloured middle.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cairo/cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "tools/pictures/GameIcon.h"

namespace {

std::uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

std::uint8_t Alpha(std::uint32_t argb) { return static_cast<std::uint8_t>(argb >> 24); }

}  // namespace

TEST(GameIcon, IsASquarePngWithTransparentCornersAndAnOpaqueMiddle) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("velmora-icon-" + std::to_string(getpid()));
  const std::string path = (folder / "icon/velmora.png").string();
  ASSERT_TRUE(WriteGameIcon(path, 256));
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read), 256);
  EXPECT_EQ(cairo_image_surface_get_height(read), 256);
  for (auto [x, y] : {std::pair{0, 0}, {255, 0}, {0, 255}, {255, 255}}) {
    EXPECT_EQ(Alpha(PixelAt(read, x, y)), 0) << x << "," << y;
  }
  int opaque = 0;
  for (int y = 64; y < 192; ++y) {
    for (int x = 64; x < 192; ++x) opaque += Alpha(PixelAt(read, x, y)) == 255;
  }
  EXPECT_EQ(opaque, 128 * 128);
  // Not one flat colour: the sky, the ring and the craft all show in the middle.
  EXPECT_NE(PixelAt(read, 128, 40), PixelAt(read, 128, 150));
  cairo_surface_destroy(read);
  fs::remove_all(folder);
  EXPECT_FALSE(WriteGameIcon("/proc/velmora-no-such-place/icon.png", 64));
}
