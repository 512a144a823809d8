// The house style of Velmora's pictures: a dusk palette (indigo lacquer, lantern gold,
// cream paper), and the shapes and lettering every picture is built from.
#pragma once

#include <cairo/cairo.h>

#include <cstdint>
#include <string>

struct TRgb {
  double r = 0;
  double g = 0;
  double b = 0;
};

constexpr TRgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

namespace palette {
constexpr TRgb kNight = Hex(0x12122E);
constexpr TRgb kIndigo = Hex(0x2C2560);
constexpr TRgb kPlum = Hex(0x5A2A66);
constexpr TRgb kDusk = Hex(0xC8587A);
constexpr TRgb kEmber = Hex(0xF08A3C);
constexpr TRgb kGold = Hex(0xF2BE55);
constexpr TRgb kPaleGold = Hex(0xFFE3A0);
constexpr TRgb kCream = Hex(0xFFF4DE);
constexpr TRgb kInk = Hex(0x2A140C);
constexpr TRgb kSakura = Hex(0xF7BCCB);
constexpr TRgb kTeal = Hex(0x3FA8A0);
}  // namespace palette

TRgb Mix(TRgb a, TRgb b, double t);
void SetColour(cairo_t* cr, TRgb colour, double alpha = 1.0);
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, TRgb from, TRgb to, double alphaFrom = 1.0,
               double alphaTo = 1.0);
void SetRadial(cairo_t* cr, double cx, double cy, double radius, TRgb inner, TRgb outer, double alphaInner,
               double alphaOuter);

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
void CirclePath(cairo_t* cr, double cx, double cy, double radius);
// A five-petal blossom (sakura) of the given radius, turned by `angle` radians.
void BlossomPath(cairo_t* cr, double cx, double cy, double radius, double angle);
// One falling petal: a pointed oval.
void PetalPath(cairo_t* cr, double cx, double cy, double length, double angle);
void DiamondPath(cairo_t* cr, double cx, double cy, double rx, double ry);

struct TFont {
  const char* family;
  bool bold;
  bool italic;
};

namespace fonts {
constexpr TFont kLabel{"DejaVu Sans Condensed", true, false};
constexpr TFont kTitle{"DejaVu Serif", true, true};
constexpr TFont kText{"DejaVu Sans", false, false};
constexpr TFont kDigits{"DejaVu Sans", true, false};
}  // namespace fonts

struct TTextStyle {
  TFont font = fonts::kLabel;
  double size = 20;
  TRgb top = palette::kCream;     // fill, vertical gradient from top ...
  TRgb bottom = palette::kCream;  // ... to bottom of the letters
  TRgb outline = palette::kInk;
  double outlineWidth = 0;  // 0: no outline
  double maxWidth = 0;      // 0: any width; otherwise the size shrinks until it fits
  double shadow = 0;        // offset of a soft dark shadow, 0: none
};

// Text centred on (cx, cy): horizontally on its letters, vertically on the capital height,
// so labels of different words line up. Returns the width drawn.
double DrawText(cairo_t* cr, const std::string& text, double cx, double cy, const TTextStyle& style);
// Text whose left edge is at x, capital-height centre at cy.
double DrawTextLeft(cairo_t* cr, const std::string& text, double x, double cy, const TTextStyle& style);
// Text centred on the ink of its own glyphs (digits, which must sit in the middle of a slot).
void DrawGlyphsCentred(cairo_t* cr, const std::string& text, double cx, double cy, const TTextStyle& style);
