#include "tools/pictures/ContactSheet.h"

#include <cairo/cairo.h>

#include <algorithm>
#include <cmath>

namespace {

cairo_surface_t* SurfaceOf(const TPicture& picture) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = &picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4];
      const unsigned a = p[3];
      const unsigned r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;
      reinterpret_cast<std::uint32_t*>(data + stride * y)[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  for (int j = 0; j * 8 < h; ++j)
    for (int i = 0; i * 8 < w; ++i) {
      cairo_set_source_rgb(cr, (i + j) % 2 ? 0.55 : 0.75, (i + j) % 2 ? 0.6 : 0.8, (i + j) % 2 ? 0.55 : 0.75);
      cairo_rectangle(cr, x + i * 8, y + j * 8, std::min(8.0, w - i * 8), std::min(8.0, h - j * 8));
      cairo_fill(cr);
    }
}

void DrawCell(cairo_t* cr, const TWrittenPicture& item, double x, double y, int cell) {
  const double box = cell - 24;
  // Shown as the game shows it: stretched back to the rectangle it was designed for.
  const double aspect = item.picture.shownAspect > 0 ? item.picture.shownAspect
                                                     : static_cast<double>(item.picture.width) / item.picture.height;
  const double w = aspect >= 1 ? box : box * aspect, h = aspect >= 1 ? box / aspect : box;
  Checkerboard(cr, x + 4, y + 4, w, h);
  cairo_surface_t* surface = SurfaceOf(item.picture);
  cairo_save(cr);
  cairo_translate(cr, x + 4, y + 4);
  cairo_scale(cr, w / item.picture.width, h / item.picture.height);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 10);
  const std::string name = item.path.size() > 48 ? item.path.substr(item.path.size() - 48) : item.path;
  cairo_move_to(cr, x + 4, y + cell - 8);
  cairo_show_text(cr, name.c_str());
}

}  // namespace

bool WriteContactSheet(const std::vector<TWrittenPicture>& pictures, const std::string& prefix,
                       const std::string& pngPath, int cellSize) {
  std::vector<const TWrittenPicture*> chosen;
  for (const auto& item : pictures)
    if (item.path.rfind(prefix, 0) == 0 && item.picture.width > 0) chosen.push_back(&item);
  if (chosen.empty()) return false;
  const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(chosen.size() * 1.4))));
  const int rows = static_cast<int>((chosen.size() + columns - 1) / columns);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * cellSize, rows * cellSize);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
  cairo_paint(cr);
  for (std::size_t i = 0; i < chosen.size(); ++i)
    DrawCell(cr, *chosen[i], (i % columns) * cellSize, (i / columns) * cellSize, cellSize);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return ok;
}
