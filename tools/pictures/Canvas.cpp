#include "tools/pictures/Canvas.h"

#include <algorithm>
#include <cmath>

int StoredSize(double shownPixels) {
  int size = 16;
  // Nearest power of two on a log scale: 320 shown pixels give 256, 400 give 512.
  while (size < 1024 && std::log2(shownPixels) > std::log2(size) + 0.5) size *= 2;
  return size;
}

TCanvas::TCanvas(int storedWidth, int storedHeight, double designWidth, double designHeight)
    : designWidth_(designWidth), designHeight_(designHeight) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, storedWidth, storedHeight);
  cr_ = cairo_create(surface_);
  cairo_scale(cr_, storedWidth / designWidth, storedHeight / designHeight);
  cairo_font_options_t* options = cairo_font_options_create();
  // Unhinted outlines: the same shapes whatever the scale, and no font-engine hinting
  // decisions that could differ between runs.
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

TCanvas::~TCanvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {

void StorePixel(std::uint32_t argb, TEdge edge, std::uint8_t* out) {
  unsigned a = argb >> 24;
  unsigned r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  if (a != 0 && a != 255) {  // cairo keeps colours premultiplied
    r = std::min(255u, (r * 255 + a / 2) / a);
    g = std::min(255u, (g * 255 + a / 2) / a);
    b = std::min(255u, (b * 255 + a / 2) / a);
  }
  if (edge == TEdge::Opaque) a = 255;
  if (edge == TEdge::Hard) a = a >= 128 ? 255 : 0;
  out[0] = static_cast<std::uint8_t>(r);
  out[1] = static_cast<std::uint8_t>(g);
  out[2] = static_cast<std::uint8_t>(b);
  out[3] = static_cast<std::uint8_t>(a);
}

}  // namespace

TPicture TCanvas::Take(TEdge edge) const {
  cairo_surface_flush(surface_);
  TPicture picture;
  picture.width = cairo_image_surface_get_width(surface_);
  picture.height = cairo_image_surface_get_height(surface_);
  picture.shownAspect = designWidth_ / designHeight_;
  picture.rgba.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < picture.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(stride) * y);
    for (int x = 0; x < picture.width; ++x)
      StorePixel(row[x], edge, &picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4]);
  }
  if (edge != TEdge::Opaque) BleedColourIntoTransparency(picture, 3);
  return picture;
}

namespace {

// Average colour of the visible 4-neighbours of (x, y) in `from`; false when none is visible.
bool NeighbourColour(const TPicture& from, const std::vector<std::uint8_t>& seen, int x, int y, int rgb[3]) {
  static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  int count = 0;
  rgb[0] = rgb[1] = rgb[2] = 0;
  for (const auto& step : kSteps) {
    int nx = x + step[0], ny = y + step[1];
    if (nx < 0 || ny < 0 || nx >= from.width || ny >= from.height) continue;
    std::size_t n = static_cast<std::size_t>(ny) * from.width + nx;
    if (!seen[n]) continue;
    for (int c = 0; c < 3; ++c) rgb[c] += from.rgba[n * 4 + c];
    ++count;
  }
  if (count == 0) return false;
  for (int c = 0; c < 3; ++c) rgb[c] /= count;
  return true;
}

}  // namespace

void BleedColourIntoTransparency(TPicture& picture, int passes) {
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  std::vector<std::uint8_t> seen(count);
  for (std::size_t i = 0; i < count; ++i) seen[i] = picture.rgba[i * 4 + 3] != 0;
  for (int pass = 0; pass < passes; ++pass) {
    TPicture before = picture;
    std::vector<std::uint8_t> seenBefore = seen;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) {
        std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
        int rgb[3];
        if (seenBefore[i] || !NeighbourColour(before, seenBefore, x, y, rgb)) continue;
        for (int c = 0; c < 3; ++c) picture.rgba[i * 4 + c] = static_cast<std::uint8_t>(rgb[c]);
        seen[i] = 1;
      }
  }
  // Pixels far from any shape keep black: they are never sampled next to a visible one.
}
