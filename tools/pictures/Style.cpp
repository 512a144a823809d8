#include "tools/pictures/Style.h"

#include <cmath>

TRgb Mix(TRgb a, TRgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

void SetColour(cairo_t* cr, TRgb colour, double alpha) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, TRgb from, TRgb to, double alphaFrom,
               double alphaTo) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(pattern, 0, from.r, from.g, from.b, alphaFrom);
  cairo_pattern_add_color_stop_rgba(pattern, 1, to.r, to.g, to.b, alphaTo);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void SetRadial(cairo_t* cr, double cx, double cy, double radius, TRgb inner, TRgb outer, double alphaInner,
               double alphaOuter) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(pattern, 0, inner.r, inner.g, inner.b, alphaInner);
  cairo_pattern_add_color_stop_rgba(pattern, 1, outer.r, outer.g, outer.b, alphaOuter);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
  radius = std::fmin(radius, std::fmin(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void CirclePath(cairo_t* cr, double cx, double cy, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void BlossomPath(cairo_t* cr, double cx, double cy, double radius, double angle) {
  cairo_new_sub_path(cr);
  for (int petal = 0; petal < 5; ++petal) {
    const double a = angle + petal * 2 * M_PI / 5;
    const double tip = radius, side = radius * 0.55;
    const double ax = cx + std::cos(a - 0.62) * side, ay = cy + std::sin(a - 0.62) * side;
    const double bx = cx + std::cos(a + 0.62) * side, by = cy + std::sin(a + 0.62) * side;
    // A notch at the tip of each petal, as cherry blossoms have.
    const double nx = cx + std::cos(a) * tip * 0.82, ny = cy + std::sin(a) * tip * 0.82;
    if (petal == 0) cairo_move_to(cr, cx, cy);
    cairo_curve_to(cr, ax, ay, cx + std::cos(a - 0.3) * tip * 1.1, cy + std::sin(a - 0.3) * tip * 1.1, nx, ny);
    cairo_curve_to(cr, cx + std::cos(a + 0.3) * tip * 1.1, cy + std::sin(a + 0.3) * tip * 1.1, bx, by, cx, cy);
  }
  cairo_close_path(cr);
}

void PetalPath(cairo_t* cr, double cx, double cy, double length, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, -length / 2, 0);
  cairo_curve_to(cr, -length / 4, -length * 0.32, length / 4, -length * 0.32, length / 2, -length * 0.04);
  cairo_line_to(cr, length * 0.42, 0);
  cairo_line_to(cr, length / 2, length * 0.04);
  cairo_curve_to(cr, length / 4, length * 0.32, -length / 4, length * 0.32, -length / 2, 0);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void DiamondPath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, cx - rx, cy);
  cairo_line_to(cr, cx, cy - ry);
  cairo_line_to(cr, cx + rx, cy);
  cairo_line_to(cr, cx, cy + ry);
  cairo_close_path(cr);
}

namespace {

void SelectFont(cairo_t* cr, const TFont& font, double size) {
  cairo_select_font_face(cr, font.family, font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

// Selects the font at the style's size, shrunk until the text fits maxWidth.
cairo_text_extents_t FitText(cairo_t* cr, const std::string& text, const TTextStyle& style) {
  double size = style.size;
  cairo_text_extents_t extents;
  for (;;) {
    SelectFont(cr, style.font, size);
    cairo_text_extents(cr, text.c_str(), &extents);
    const double inked = extents.width + 2 * style.outlineWidth;
    if (style.maxWidth <= 0 || inked <= style.maxWidth || size < 4) return extents;
    size *= 0.97;
  }
}

double CapHeight(cairo_t* cr) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "H", &extents);
  return -extents.y_bearing;
}

// Draws the text whose origin (left end of the baseline) is (x, baseline).
void PaintTextAt(cairo_t* cr, const std::string& text, double x, double baseline, double top, double height,
                 const TTextStyle& style) {
  if (style.shadow > 0) {
    cairo_move_to(cr, x + style.shadow, baseline + style.shadow);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, palette::kInk, 0.55);
    cairo_set_line_width(cr, 2 * style.outlineWidth + style.shadow);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, text.c_str());
  if (style.outlineWidth > 0) {
    SetColour(cr, style.outline);
    cairo_set_line_width(cr, 2 * style.outlineWidth);
    cairo_stroke_preserve(cr);
  }
  SetLinear(cr, 0, top, 0, top + height, style.top, style.bottom);
  cairo_fill(cr);
}

}  // namespace

double DrawText(cairo_t* cr, const std::string& text, double cx, double cy, const TTextStyle& style) {
  cairo_text_extents_t extents = FitText(cr, text, style);
  const double cap = CapHeight(cr);
  const double x = cx - extents.width / 2 - extents.x_bearing;
  PaintTextAt(cr, text, x, cy + cap / 2, cy - cap / 2, cap, style);
  return extents.width;
}

double DrawTextLeft(cairo_t* cr, const std::string& text, double x, double cy, const TTextStyle& style) {
  cairo_text_extents_t extents = FitText(cr, text, style);
  const double cap = CapHeight(cr);
  PaintTextAt(cr, text, x - extents.x_bearing, cy + cap / 2, cy - cap / 2, cap, style);
  return extents.width;
}

void DrawGlyphsCentred(cairo_t* cr, const std::string& text, double cx, double cy, const TTextStyle& style) {
  cairo_text_extents_t extents = FitText(cr, text, style);
  const double x = cx - extents.width / 2 - extents.x_bearing;
  const double baseline = cy - extents.height / 2 - extents.y_bearing;
  PaintTextAt(cr, text, x, baseline, baseline + extents.y_bearing, extents.height, style);
}
