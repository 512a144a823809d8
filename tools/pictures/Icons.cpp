#include "tools/pictures/Icons.h"

#include <cmath>

void FillOutlined(cairo_t* cr, const TIconColours& colours) {
  if (colours.lineWidth > 0) {
    SetColour(cr, colours.line);
    cairo_set_line_width(cr, colours.lineWidth * 2);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, colours.fill);
  cairo_fill(cr);
}

namespace {

// Moves through unit-square points scaled into the icon's square.
struct TUnit {
  cairo_t* cr;
  double cx, cy, s;
  void Move(double x, double y) const { cairo_move_to(cr, cx + x * s, cy + y * s); }
  void Line(double x, double y) const { cairo_line_to(cr, cx + x * s, cy + y * s); }
  void Rect(double x, double y, double w, double h, double r) const {
    RoundedRectPath(cr, cx + x * s, cy + y * s, w * s, h * s, r * s);
  }
};

void StrokeOutlined(cairo_t* cr, const TIconColours& colours, double width) {
  SetColour(cr, colours.line);
  cairo_set_line_width(cr, width + 2 * colours.lineWidth);
  cairo_stroke_preserve(cr);
  SetColour(cr, colours.fill);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

}  // namespace

void DrawCraft(cairo_t* cr, double cx, double cy, double size, double angle, const TIconColours& colours) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  TUnit u{cr, 0, 0, size};
  u.Move(0, -0.5);
  u.Line(0.12, -0.12);
  u.Line(0.5, 0.2);
  u.Line(0.5, 0.28);
  u.Line(0.16, 0.2);
  u.Line(0.22, 0.44);
  u.Line(0, 0.36);
  u.Line(-0.22, 0.44);
  u.Line(-0.16, 0.2);
  u.Line(-0.5, 0.28);
  u.Line(-0.5, 0.2);
  u.Line(-0.12, -0.12);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
  cairo_save(cr);
  cairo_scale(cr, 0.055 * size, 0.14 * size);
  CirclePath(cr, 0, -0.6, 1);
  cairo_restore(cr);
  SetColour(cr, Mix(colours.line, palette::kTeal, 0.6));
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawGear(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  const int teeth = 8;
  const double outer = size * 0.48, inner = size * 0.36;
  cairo_new_sub_path(cr);
  for (int i = 0; i < teeth * 4; ++i) {
    const double a = i * 2 * M_PI / (teeth * 4) - M_PI / (teeth * 4);
    const double r = (i % 4 == 1 || i % 4 == 2) ? outer : inner;
    cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, size * 0.15, 2 * M_PI, 0);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
}

void DrawPower(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy + size * 0.04, size * 0.36, -M_PI / 2 + 0.75, 3 * M_PI / 2 - 0.75);
  StrokeOutlined(cr, colours, size * 0.11);
  cairo_move_to(cr, cx, cy - size * 0.44);
  cairo_line_to(cr, cx, cy - size * 0.02);
  StrokeOutlined(cr, colours, size * 0.11);
}

void DrawBackArrow(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  cairo_new_path(cr);
  u.Move(-0.48, -0.12);
  u.Line(-0.12, -0.44);
  u.Line(-0.12, -0.26);
  cairo_curve_to(cr, cx + 0.3 * size, cy - 0.26 * size, cx + 0.48 * size, cy - 0.05 * size, cx + 0.46 * size,
                 cy + 0.42 * size);
  cairo_curve_to(cr, cx + 0.3 * size, cy + 0.12 * size, cx + 0.1 * size, cy + 0.02 * size, cx - 0.12 * size,
                 cy + 0.02 * size);
  u.Line(-0.12, 0.2);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
}

void DrawNetwork(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  for (int side = -1; side <= 1; side += 2) {
    u.Rect(side * 0.28 - 0.2, -0.34, 0.4, 0.3, 0.04);
    FillOutlined(cr, colours);
    u.Rect(side * 0.28 - 0.14, -0.28, 0.28, 0.18, 0.02);
    SetColour(cr, Mix(colours.line, palette::kTeal, 0.7));
    cairo_fill(cr);
    u.Rect(side * 0.28 - 0.12, 0.0, 0.24, 0.06, 0.02);
    FillOutlined(cr, colours);
  }
  cairo_new_path(cr);
  u.Move(-0.28, 0.06);
  u.Line(-0.28, 0.28);
  u.Line(0.28, 0.28);
  u.Line(0.28, 0.06);
  StrokeOutlined(cr, colours, size * 0.05);
  CirclePath(cr, cx, cy + 0.28 * size, 0.07 * size);
  FillOutlined(cr, colours);
}

void DrawSplitScreen(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  u.Rect(-0.48, -0.4, 0.96, 0.66, 0.05);
  FillOutlined(cr, colours);
  TIconColours craft{palette::kEmber, colours.line, colours.lineWidth * 0.5};
  u.Rect(-0.42, -0.34, 0.84, 0.25, 0.02);
  SetColour(cr, Mix(colours.line, palette::kTeal, 0.7));
  cairo_fill(cr);
  u.Rect(-0.42, -0.03, 0.84, 0.23, 0.02);
  SetColour(cr, Mix(colours.line, palette::kPlum, 0.7));
  cairo_fill(cr);
  DrawCraft(cr, cx, cy - 0.215 * size, 0.2 * size, 0, craft);
  craft.fill = palette::kSakura;
  DrawCraft(cr, cx, cy + 0.085 * size, 0.2 * size, 0, craft);
  u.Rect(-0.12, 0.26, 0.24, 0.14, 0.02);
  FillOutlined(cr, colours);
}

void DrawSpeaker(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  cairo_new_path(cr);
  u.Move(-0.46, -0.14);
  u.Line(-0.24, -0.14);
  u.Line(0.02, -0.4);
  u.Line(0.02, 0.4);
  u.Line(-0.24, 0.14);
  u.Line(-0.46, 0.14);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
  for (int wave = 0; wave < 2; ++wave) {
    cairo_new_path(cr);
    cairo_arc(cr, cx + 0.02 * size, cy, (0.2 + wave * 0.2) * size, -0.75, 0.75);
    StrokeOutlined(cr, colours, size * 0.07);
  }
}

void DrawHourglass(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  u.Rect(-0.32, -0.5, 0.64, 0.1, 0.03);
  FillOutlined(cr, colours);
  u.Rect(-0.32, 0.4, 0.64, 0.1, 0.03);
  FillOutlined(cr, colours);
  cairo_new_path(cr);
  u.Move(-0.24, -0.4);
  u.Line(0.24, -0.4);
  cairo_curve_to(cr, cx + 0.24 * size, cy - 0.12 * size, cx + 0.05 * size, cy - 0.06 * size, cx + 0.05 * size, cy);
  cairo_curve_to(cr, cx + 0.05 * size, cy + 0.06 * size, cx + 0.24 * size, cy + 0.12 * size, cx + 0.24 * size,
                 cy + 0.4 * size);
  u.Line(-0.24, 0.4);
  cairo_curve_to(cr, cx - 0.24 * size, cy + 0.12 * size, cx - 0.05 * size, cy + 0.06 * size, cx - 0.05 * size, cy);
  cairo_curve_to(cr, cx - 0.05 * size, cy - 0.06 * size, cx - 0.24 * size, cy - 0.12 * size, cx - 0.24 * size,
                 cy - 0.4 * size);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
  cairo_new_path(cr);  // the sand: a heap below, a little left above
  u.Move(-0.18, 0.38);
  u.Line(0, 0.16);
  u.Line(0.18, 0.38);
  cairo_close_path(cr);
  u.Move(-0.12, -0.24);
  u.Line(0.12, -0.24);
  u.Line(0, -0.08);
  cairo_close_path(cr);
  SetColour(cr, palette::kEmber);
  cairo_fill(cr);
}

void DrawStopwatch(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  u.Rect(-0.08, -0.5, 0.16, 0.14, 0.03);
  FillOutlined(cr, colours);
  CirclePath(cr, cx, cy + 0.06 * size, 0.4 * size);
  FillOutlined(cr, colours);
  cairo_new_path(cr);
  u.Move(0, 0.06);
  u.Line(0.16, -0.16);
  SetColour(cr, colours.line);
  cairo_set_line_width(cr, size * 0.07);
  cairo_stroke(cr);
  CirclePath(cr, cx, cy + 0.06 * size, 0.05 * size);
  cairo_fill(cr);
}

void DrawScroll(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  u.Rect(-0.34, -0.36, 0.68, 0.72, 0.06);
  FillOutlined(cr, colours);
  u.Rect(-0.42, -0.46, 0.84, 0.14, 0.07);
  FillOutlined(cr, colours);
  u.Rect(-0.42, 0.32, 0.84, 0.14, 0.07);
  FillOutlined(cr, colours);
  SetColour(cr, colours.line, 0.8);
  cairo_set_line_width(cr, size * 0.045);
  for (int line = 0; line < 3; ++line) {
    u.Move(-0.22, -0.16 + line * 0.16);
    u.Line(line == 2 ? 0.08 : 0.22, -0.16 + line * 0.16);
  }
  cairo_stroke(cr);
}

void DrawPlay(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  cairo_new_path(cr);
  u.Move(-0.3, -0.42);
  u.Line(0.44, 0);
  u.Line(-0.3, 0.42);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
}

void DrawDoor(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  u.Rect(-0.44, -0.46, 0.46, 0.92, 0.04);
  FillOutlined(cr, colours);
  CirclePath(cr, cx - 0.1 * size, cy, 0.05 * size);
  SetColour(cr, colours.line);
  cairo_fill(cr);
  cairo_new_path(cr);
  u.Move(0.1, -0.1);
  u.Line(0.28, -0.1);
  u.Line(0.28, -0.26);
  u.Line(0.5, 0);
  u.Line(0.28, 0.26);
  u.Line(0.28, 0.1);
  u.Line(0.1, 0.1);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
}

void DrawChevron(cairo_t* cr, double cx, double cy, double size, int direction, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  const double d = direction < 0 ? -1 : 1;
  cairo_new_path(cr);
  u.Move(d * 0.46, 0);
  u.Line(d * -0.14, -0.44);
  u.Line(d * -0.14, -0.2);
  u.Line(d * -0.46, -0.2);
  u.Line(d * -0.46, 0.2);
  u.Line(d * -0.14, 0.2);
  u.Line(d * -0.14, 0.44);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
}

void DrawFloppy(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  TUnit u{cr, cx, cy, size};
  cairo_new_path(cr);
  u.Move(-0.42, -0.42);
  u.Line(0.3, -0.42);
  u.Line(0.42, -0.3);
  u.Line(0.42, 0.42);
  u.Line(-0.42, 0.42);
  cairo_close_path(cr);
  FillOutlined(cr, colours);
  u.Rect(-0.24, -0.42, 0.44, 0.26, 0.02);
  SetColour(cr, colours.line);
  cairo_fill(cr);
  u.Rect(-0.28, 0.06, 0.56, 0.3, 0.03);
  SetColour(cr, Mix(colours.fill, palette::kCream, 0.6));
  cairo_fill(cr);
}

namespace {

// The lantern's paper body: an oval stretched over ribs, drawn about the origin.
void LanternBody(cairo_t* cr, double width, double h, TRgb body, double glow) {
  cairo_save(cr);
  cairo_scale(cr, width / 2, h / 2 * 0.86);
  CirclePath(cr, 0, 0, 1);
  cairo_restore(cr);
  SetRadial(cr, 0, -h * 0.05, width * 0.62, Mix(body, palette::kPaleGold, glow), Mix(body, palette::kInk, 0.25), 1,
            1);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kInk, 0.8);
  cairo_set_line_width(cr, width * 0.035);
  cairo_stroke(cr);
  SetColour(cr, palette::kInk, 0.35);
  cairo_set_line_width(cr, width * 0.02);
  for (int rib = -2; rib <= 2; ++rib) {
    const double y = rib * h * 0.15;
    const double half = width / 2 * std::sqrt(std::fmax(0.0, 1 - std::pow(y / (h / 2 * 0.86), 2)));
    cairo_move_to(cr, -half, y);
    cairo_curve_to(cr, -half * 0.5, y + h * 0.03, half * 0.5, y + h * 0.03, half, y);
  }
  cairo_stroke(cr);
}

}  // namespace

void DrawLantern(cairo_t* cr, double cx, double cy, double width, TRgb body, double glow) {
  const double h = width * 1.3;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  LanternBody(cr, width, h, body, glow);
  // Caps and tassel.
  SetColour(cr, palette::kInk);
  RoundedRectPath(cr, -width * 0.26, -h * 0.5, width * 0.52, h * 0.1, width * 0.03);
  RoundedRectPath(cr, -width * 0.26, h * 0.4, width * 0.52, h * 0.1, width * 0.03);
  cairo_fill(cr);
  cairo_set_line_width(cr, width * 0.04);
  cairo_move_to(cr, 0, h * 0.5);
  cairo_line_to(cr, 0, h * 0.66);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawRing(cairo_t* cr, double cx, double cy, double rx, double ry, TRgb colour) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0, 0, 0.8, 2 * M_PI, 0);
  cairo_restore(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_linear(cx, cy - ry, cx, cy + ry);
  const TRgb light = Mix(colour, palette::kCream, 0.55), dark = Mix(colour, palette::kInk, 0.45);
  cairo_pattern_add_color_stop_rgb(pattern, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(pattern, 0.5, colour.r, colour.g, colour.b);
  cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kInk, 0.6);
  cairo_set_line_width(cr, std::fmin(rx, ry) * 0.03);
  cairo_stroke(cr);
}
