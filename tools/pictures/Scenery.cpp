#include "tools/pictures/Scenery.h"

#include <cmath>

#include "tools/pictures/Icons.h"
#include "tools/pictures/Noise.h"

TSceneLook EveningLook(std::uint32_t seed) {
  TSceneLook look{Hex(0x141036), Hex(0x4A2A6E), Hex(0xE27A6A), Hex(0x6A4A86), Hex(0x1E1634)};
  look.moonX = 742;
  look.moonY = 66;
  look.moonRadius = 30;
  look.seed = seed;
  return look;
}

TSceneLook NightLook(std::uint32_t seed) {
  TSceneLook look{Hex(0x080A22), Hex(0x1C2258), Hex(0x5A4A8E), Hex(0x2E2E66), Hex(0x0E0C24)};
  look.moonX = 140;
  look.moonY = 110;
  look.moonRadius = 28;
  look.stars = 220;
  look.seed = seed;
  return look;
}

TSceneLook DawnLook(std::uint32_t seed) {
  TSceneLook look{Hex(0x2A2A66), Hex(0x9A5A8A), Hex(0xFFC28A), Hex(0x8A6A9A), Hex(0x2A2040)};
  look.stars = 40;
  look.petals = 60;
  look.seed = seed;
  return look;
}

namespace {

void PaintSky(cairo_t* cr, double width, double height, const TSceneLook& look) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, look.horizonY + 60);
  cairo_pattern_add_color_stop_rgb(sky, 0, look.skyTop.r, look.skyTop.g, look.skyTop.b);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, look.skyMiddle.r, look.skyMiddle.g, look.skyMiddle.b);
  cairo_pattern_add_color_stop_rgb(sky, 1, look.horizon.r, look.horizon.g, look.horizon.b);
  cairo_set_source(cr, sky);
  cairo_pattern_destroy(sky);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
}

void PaintStars(cairo_t* cr, double width, const TSceneLook& look) {
  TRandom random(look.seed * 31 + 7);
  for (int i = 0; i < look.stars; ++i) {
    const double x = random.Uniform(0, width), y = random.Uniform(0, look.horizonY * 0.75);
    const double fade = 1 - y / (look.horizonY * 0.75);
    const double radius = random.Uniform(0.4, 1.3);
    CirclePath(cr, x, y, radius);
    SetColour(cr, palette::kCream, 0.25 + 0.6 * fade * random.Uniform(0.4, 1));
    cairo_fill(cr);
  }
}

void PaintMoon(cairo_t* cr, const TSceneLook& look) {
  if (look.moonRadius <= 0) return;
  CirclePath(cr, look.moonX, look.moonY, look.moonRadius * 3);
  SetRadial(cr, look.moonX, look.moonY, look.moonRadius * 3, palette::kPaleGold, palette::kPaleGold, 0.25, 0);
  cairo_fill(cr);
  CirclePath(cr, look.moonX, look.moonY, look.moonRadius);
  SetRadial(cr, look.moonX - look.moonRadius * 0.3, look.moonY - look.moonRadius * 0.3, look.moonRadius * 1.3,
            palette::kCream, palette::kPaleGold, 1, 1);
  cairo_fill(cr);
}

// One ridge line filled down to the bottom of the picture.
void PaintRidge(cairo_t* cr, double width, double height, double baseY, double amplitude, double cellWidth,
                TRgb colour, std::uint32_t seed) {
  cairo_move_to(cr, 0, height);
  for (double x = 0; x <= width + 4; x += 4) {
    const double n = LineFbm(x, cellWidth, 5, seed);
    const double ridge = 1 - std::fabs(2 * n - 1);  // sharp peaks
    cairo_line_to(cr, x, baseY - amplitude * (0.35 * n + 0.65 * ridge * ridge));
  }
  cairo_line_to(cr, width, height);
  cairo_close_path(cr);
  SetColour(cr, colour);
  cairo_fill(cr);
}

void PaintMist(cairo_t* cr, double width, double y, double depth, TRgb colour, double alpha) {
  SetLinear(cr, 0, y - depth, 0, y + depth, colour, colour, 0, alpha);
  cairo_rectangle(cr, 0, y - depth, width, depth * 2);
  cairo_fill(cr);
}

void PaintValleyLights(cairo_t* cr, double width, double height, const TSceneLook& look) {
  TRandom random(look.seed * 17 + 3);
  for (int i = 0; i < look.valleyLights; ++i) {
    const double x = random.Uniform(0, width);
    const double y = random.Uniform(look.horizonY + 70, height - 10);
    const double radius = random.Uniform(1.2, 2.6) * (y / height);
    CirclePath(cr, x, y, radius * 4);
    SetRadial(cr, x, y, radius * 4, palette::kEmber, palette::kEmber, 0.45, 0);
    cairo_fill(cr);
    CirclePath(cr, x, y, radius);
    SetColour(cr, palette::kPaleGold, 0.9);
    cairo_fill(cr);
  }
}

}  // namespace

void PaintPetals(cairo_t* cr, double width, double height, int count, std::uint32_t seed, double alpha) {
  TRandom random(seed * 13 + 5);
  for (int i = 0; i < count; ++i) {
    const double x = random.Uniform(0, width), y = random.Uniform(0, height);
    const double length = random.Uniform(4, 11), angle = random.Uniform(0, 2 * M_PI);
    PetalPath(cr, x, y, length, angle);
    SetColour(cr, Mix(palette::kSakura, palette::kCream, random.Uniform(0, 0.5)), alpha * random.Uniform(0.55, 1));
    cairo_fill(cr);
  }
}

void PaintScene(cairo_t* cr, double width, double height, const TSceneLook& look) {
  PaintSky(cr, width, height, look);
  PaintStars(cr, width, look);
  PaintMoon(cr, look);
  const TRgb middle = Mix(look.farHills, look.nearHills, 0.5);
  PaintRidge(cr, width, height, look.horizonY, 110, 260, look.farHills, look.seed);
  PaintMist(cr, width, look.horizonY + 10, 40, look.horizon, 0.45);
  PaintRidge(cr, width, height, look.horizonY + 70, 90, 170, middle, look.seed + 1);
  PaintMist(cr, width, look.horizonY + 80, 30, look.horizon, 0.25);
  PaintRidge(cr, width, height, look.horizonY + 150, 70, 120, look.nearHills, look.seed + 2);
  PaintValleyLights(cr, width, height, look);
  PaintPetals(cr, width, height, look.petals, look.seed, 0.85);
}

void PaintFrame(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRectPath(cr, x, y, w, h, 14);
  SetLinear(cr, 0, y, 0, y + h, palette::kNight, palette::kIndigo, 0.72, 0.6);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kGold, 0.95);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  RoundedRectPath(cr, x + 6, y + 6, w - 12, h - 12, 10);
  SetColour(cr, palette::kGold, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double corners[4][2] = {{x, y}, {x + w, y}, {x, y + h}, {x + w, y + h}};
  for (const auto& corner : corners) {
    DiamondPath(cr, corner[0], corner[1], 7, 7);
    SetColour(cr, palette::kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    SetColour(cr, palette::kPaleGold);
    cairo_fill(cr);
  }
}

namespace {

TTextStyle TitleStyle(double size) {
  TTextStyle style;
  style.font = fonts::kTitle;
  style.size = size;
  style.top = palette::kPaleGold;
  style.bottom = palette::kEmber;
  style.outline = palette::kInk;
  style.outlineWidth = size * 0.06;
  style.shadow = size * 0.05;
  return style;
}

}  // namespace

void PaintTitle(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
  DrawText(cr, text, cx, cy, TitleStyle(size));
}

void PaintTitleLeft(cairo_t* cr, const std::string& text, double x, double cy, double size) {
  DrawTextLeft(cr, text, x, cy, TitleStyle(size));
}

void PaintNote(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
  TTextStyle style;
  style.font = fonts::kText;
  style.size = size;
  style.top = palette::kCream;
  style.bottom = palette::kPaleGold;
  style.outline = palette::kNight;
  style.outlineWidth = size * 0.12;
  DrawText(cr, text, cx, cy, style);
}

void PaintLogo(cairo_t* cr, double cx, double cy, double size) {
  // A flight ring swept behind the name, the craft just leaving it.
  const double rx = size * 3.3, ry = size * 0.62;
  DrawRing(cr, cx, cy + size * 0.02, rx, ry, palette::kTeal);
  PaintTitle(cr, "Velmora", cx, cy, size);
  DrawCraft(cr, cx + rx * 0.97, cy - ry * 0.25, size * 0.55, 1.2, {palette::kCream, palette::kInk, 1.5});
}

void PaintFlightPath(cairo_t* cr, const double (*points)[2], int count) {
  if (count < 2) return;
  cairo_move_to(cr, points[0][0], points[0][1]);
  for (int i = 1; i < count; ++i) {
    const double mx = (points[i - 1][0] + points[i][0]) / 2;
    cairo_curve_to(cr, mx, points[i - 1][1], mx, points[i][1], points[i][0], points[i][1]);
  }
  const double dashes[2] = {2, 9};
  cairo_set_dash(cr, dashes, 2, 0);
  SetColour(cr, palette::kPaleGold, 0.8);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}
