#include "tools/pictures/GameIcon.h"

#include <cairo/cairo.h>

#include <filesystem>

#include "tools/pictures/Icons.h"
#include "tools/pictures/Style.h"

namespace {

// The sky in a rounded square: icon themes show icons on any background, so the corners
// stay transparent and the shape reads at every size.
void DrawSky(cairo_t* cr, double size) {
  RoundedRectPath(cr, size * 0.04, size * 0.04, size * 0.92, size * 0.92, size * 0.18);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, size);
  const TRgb stops[] = {palette::kIndigo, palette::kDusk, palette::kGold};
  for (int i = 0; i < 3; ++i) {
    cairo_pattern_add_color_stop_rgb(sky, i / 2.0, stops[i].r, stops[i].g, stops[i].b);
  }
  cairo_set_source(cr, sky);
  cairo_pattern_destroy(sky);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kInk);
  cairo_set_line_width(cr, size * 0.025);
  cairo_stroke(cr);
}

}  // namespace

bool WriteGameIcon(const std::string& path, int size) {
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  const double s = size;
  DrawSky(cr, s);
  DrawRing(cr, s * 0.5, s * 0.46, s * 0.3, s * 0.34, palette::kGold);
  TIconColours craft;
  craft.fill = palette::kCream;
  craft.lineWidth = s * 0.012;
  DrawCraft(cr, s * 0.5, s * 0.56, s * 0.5, 0.0, craft);
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}
