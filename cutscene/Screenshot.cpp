#include "cutscene/Screenshot.h"

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "renderer/FrameCapture.h"

bool WriteFrameAsPng(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const std::vector<std::uint8_t> rgb = ReadBackBufferRgb(width, height);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  // GL's rows run from the bottom up, a picture's from the top down.
  for (int row = 0; row < height && data; ++row) {
    auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(row) * stride);
    const std::uint8_t* in = &rgb[static_cast<std::size_t>(height - 1 - row) * width * 3];
    for (int x = 0; x < width; ++x) {
      out[x] = 0xFF000000u | (std::uint32_t{in[3 * x]} << 16) | (std::uint32_t{in[3 * x + 1]} << 8) |
               in[3 * x + 2];
    }
  }
  cairo_surface_mark_dirty(surface);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}
