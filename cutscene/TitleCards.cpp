#include "cutscene/TitleCards.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>


namespace {

struct TLook {
  const char* family;
  cairo_font_weight_t weight;
  double size;     // fraction of the screen's height
  double spacing;  // extra space between letters, in font sizes
  bool capitals;
  bool rules;      // a thin rule each side of the words
  double r, g, b;
  double halo;     // width of the dark halo behind the letters, in font sizes
};

TLook LookOf(TTextStyle style) {
  switch (style) {
    case TTextStyle::Title:
      return {"DejaVu Serif", CAIRO_FONT_WEIGHT_NORMAL, 0.135, 0.08, false, false, 1.0, 0.97, 0.90, 0.09};
    case TTextStyle::Subtitle:
      return {"DejaVu Sans", CAIRO_FONT_WEIGHT_NORMAL, 0.028, 0.38, true, true, 0.97, 0.86, 0.58, 0.30};
    case TTextStyle::Credit:
      return {"DejaVu Serif", CAIRO_FONT_WEIGHT_NORMAL, 0.055, 0.03, false, false, 1.0, 0.97, 0.90, 0.12};
    case TTextStyle::Note:
    default:
      return {"DejaVu Sans", CAIRO_FONT_WEIGHT_NORMAL, 0.024, 0.12, false, false, 0.90, 0.88, 0.84, 0.30};
  }
}

struct TSurfaceFree {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct TCairoFree {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using TSurface = std::unique_ptr<cairo_surface_t, TSurfaceFree>;
using TCairo = std::unique_ptr<cairo_t, TCairoFree>;

int PowerOfTwoAtLeast(double size) {
  int p = 1;
  while (p < size && p < (1 << 14)) p *= 2;
  return p;
}

// The words cut into characters (UTF-8 sequences kept whole), so each can be spaced.
std::vector<std::string> Characters(const std::string& text, bool capitals) {
  std::vector<std::string> out;
  for (unsigned char c : text) {
    if (out.empty() || (c & 0xC0) != 0x80) out.emplace_back();
    out.back() += static_cast<char>(capitals && c < 0x80 ? std::toupper(c) : c);
  }
  return out;
}

double SpacedWidth(cairo_t* cr, const std::vector<std::string>& chars, double spacing) {
  double width = 0.0;
  for (const std::string& ch : chars) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, ch.c_str(), &extents);
    width += extents.x_advance + spacing;
  }
  return chars.empty() ? 0.0 : width - spacing;
}

void SetFont(cairo_t* cr, const TLook& look, double size) {
  cairo_select_font_face(cr, look.family, CAIRO_FONT_SLANT_NORMAL, look.weight);
  cairo_set_font_size(cr, size);
}

struct TLayout {
  double size = 0.0;
  double spacing = 0.0;
  double width = 0.0;  // of the words alone
  int textureWidth = 1;
  int textureHeight = 1;
};

constexpr double kRuleLength = 2.6;  // font sizes
constexpr double kRuleGap = 1.1;
constexpr double kCapitalMiddle = 0.36;  // half the height of a capital, in font sizes

TLayout Measure(const std::vector<std::string>& chars, const TLook& look, int screenHeight) {
  TSurface scratch(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  TCairo cr(cairo_create(scratch.get()));
  TLayout layout;
  layout.size = std::max(8.0, look.size * screenHeight);
  layout.spacing = look.spacing * layout.size;
  SetFont(cr.get(), look, layout.size);
  layout.width = SpacedWidth(cr.get(), chars, layout.spacing);
  cairo_font_extents_t font;
  cairo_font_extents(cr.get(), &font);
  const double pad = layout.size * (look.halo + 0.2);
  const double rules = look.rules ? 2.0 * layout.size * (kRuleLength + kRuleGap) : 0.0;
  layout.textureWidth = PowerOfTwoAtLeast(layout.width + rules + 2.0 * pad);
  layout.textureHeight = PowerOfTwoAtLeast(font.ascent + font.descent + 2.0 * pad);
  return layout;
}

// The letters, and the rules when the look has them, as one path centred in the picture.
void TracePath(cairo_t* cr, const std::vector<std::string>& chars, const TLook& look,
               const TLayout& layout) {
  const double left = (layout.textureWidth - layout.width) / 2.0;
  const double baseline = layout.textureHeight / 2.0 + kCapitalMiddle * layout.size;
  cairo_new_path(cr);
  double x = left;
  for (const std::string& ch : chars) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, ch.c_str(), &extents);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, ch.c_str());
    x += extents.x_advance + layout.spacing;
  }
  if (!look.rules) return;
  const double thickness = std::max(1.0, 0.07 * layout.size);
  const double length = kRuleLength * layout.size;
  const double gap = kRuleGap * layout.size;
  const double y = layout.textureHeight / 2.0 - thickness / 2.0;
  cairo_rectangle(cr, left - gap - length, y, length, thickness);
  cairo_rectangle(cr, left + layout.width + gap, y, length, thickness);
}

// A soft dark halo first, so light words read over snow and sky alike, then the letters.
void Paint(cairo_t* cr, const TLook& look, const TLayout& layout) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (double part : {1.0, 0.66, 0.33}) {
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.16);
    cairo_set_line_width(cr, 2.0 * look.halo * layout.size * part);
    cairo_stroke_preserve(cr);
  }
  cairo_set_source_rgb(cr, look.r, look.g, look.b);
  cairo_fill(cr);
}

}  // namespace

std::vector<std::uint8_t> CairoToGlPixels(const unsigned char* data, int stride, int width,
                                          int height) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  for (int row = 0; row < height; ++row) {
    const auto* words = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(row) * stride);
    std::uint8_t* out = &pixels[static_cast<std::size_t>(height - 1 - row) * width * 4];
    for (int x = 0; x < width; ++x) {
      const std::uint32_t argb = words[x];
      out[4 * x + 0] = static_cast<std::uint8_t>(argb >> 16);
      out[4 * x + 1] = static_cast<std::uint8_t>(argb >> 8);
      out[4 * x + 2] = static_cast<std::uint8_t>(argb);
      out[4 * x + 3] = static_cast<std::uint8_t>(argb >> 24);
    }
  }
  return pixels;
}

TTextTexture MakeTextTexture(const std::string& text, TTextStyle style, int screenHeight) {
  const TLook look = LookOf(style);
  const std::vector<std::string> chars = Characters(text, look.capitals);
  if (chars.empty()) return {};
  const TLayout layout = Measure(chars, look, screenHeight);
  TSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout.textureWidth,
                                              layout.textureHeight));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
  TCairo cr(cairo_create(surface.get()));
  SetFont(cr.get(), look, layout.size);
  TracePath(cr.get(), chars, look, layout);
  Paint(cr.get(), look, layout);
  cairo_surface_flush(surface.get());
  const std::vector<std::uint8_t> pixels =
      CairoToGlPixels(cairo_image_surface_get_data(surface.get()),
                      cairo_image_surface_get_stride(surface.get()), layout.textureWidth,
                      layout.textureHeight);
  return UploadTextTexture(layout.textureWidth, layout.textureHeight, pixels.data(),
                           static_cast<int>(std::ceil(layout.width)));
}
