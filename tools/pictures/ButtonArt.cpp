#include "tools/pictures/ButtonArt.h"

#include <algorithm>
#include <cmath>

namespace {

struct TPlaqueColours {
  TRgb top, bottom, rim, edge;
  double rimWidth;
};

TPlaqueColours PlaqueColours(TButtonState state) {
  switch (state) {
    case TButtonState::Focus:
      return {Hex(0x7A4296), Hex(0x35246E), palette::kPaleGold, palette::kInk, 1.25};
    case TButtonState::Active:
      return {palette::kPaleGold, palette::kEmber, palette::kInk, palette::kInk, 1.0};
    case TButtonState::Inactive:
    default:
      return {Hex(0x3D3378), palette::kNight, palette::kGold, palette::kInk, 1.0};
  }
}

void PlaqueOutline(cairo_t* cr, double x, double y, double w, double h, TButtonShape shape, double inset) {
  if (shape == TButtonShape::Round) {
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_scale(cr, w / 2 - inset, h / 2 - inset);
    CirclePath(cr, 0, 0, 1);
    cairo_restore(cr);
    return;
  }
  RoundedRectPath(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::min(w, h) * 0.28 - inset * 0.5);
}

// The warm glow under the mouse: a soft ember light rising from the bottom of the plaque.
void FocusGlow(cairo_t* cr, double x, double y, double w, double h) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x + w / 2, y + h * 1.1, 0, x + w / 2, y + h * 1.1, w * 0.6);
  cairo_pattern_add_color_stop_rgba(glow, 0, palette::kEmber.r, palette::kEmber.g, palette::kEmber.b, 0.7);
  cairo_pattern_add_color_stop_rgba(glow, 1, palette::kEmber.r, palette::kEmber.g, palette::kEmber.b, 0);
  cairo_set_source(cr, glow);
  cairo_pattern_destroy(glow);
  cairo_fill_preserve(cr);
}

}  // namespace

void PaintPlaque(cairo_t* cr, double x, double y, double w, double h, TButtonShape shape, TButtonState state) {
  const TPlaqueColours colours = PlaqueColours(state);
  const double unit = std::clamp(std::min(w, h) * 0.045, 1.0, 4.0);
  PlaqueOutline(cr, x, y, w, h, shape, unit * 0.6);
  SetColour(cr, colours.edge);
  cairo_fill(cr);
  PlaqueOutline(cr, x, y, w, h, shape, unit * 1.4);
  SetColour(cr, colours.rim);
  cairo_fill(cr);
  PlaqueOutline(cr, x, y, w, h, shape, unit * (1.4 + 1.6 * colours.rimWidth));
  SetLinear(cr, 0, y, 0, y + h, colours.top, colours.bottom);
  cairo_fill_preserve(cr);
  if (state == TButtonState::Focus) FocusGlow(cr, x, y, w, h);
  cairo_new_path(cr);
  // A fine inner line, as on lacquer ware.
  PlaqueOutline(cr, x, y, w, h, shape, unit * (2.6 + 1.6 * colours.rimWidth));
  SetColour(cr, state == TButtonState::Active ? palette::kInk : palette::kPaleGold, 0.45);
  cairo_set_line_width(cr, unit * 0.5);
  cairo_stroke(cr);
}

TTextStyle LabelStyle(TButtonState state, double size, double maxWidth) {
  TTextStyle style;
  style.size = size;
  style.maxWidth = maxWidth;
  style.outlineWidth = std::max(1.0, size * 0.07);
  if (state == TButtonState::Active) {
    style.top = palette::kInk;
    style.bottom = Hex(0x5A240C);
    style.outline = palette::kCream;
  } else {
    style.top = state == TButtonState::Focus ? Hex(0xFFFFFF) : palette::kCream;
    style.bottom = state == TButtonState::Focus ? palette::kPaleGold : Hex(0xF3D9A8);
    style.outline = palette::kInk;
    style.shadow = size * 0.06;
  }
  return style;
}

TIconColours IconColours(TButtonState state, double size) {
  TIconColours colours;
  colours.lineWidth = std::max(1.0, size * 0.04);
  if (state == TButtonState::Active) {
    colours.fill = palette::kInk;
    colours.line = palette::kCream;
  } else {
    colours.fill = state == TButtonState::Focus ? palette::kPaleGold : palette::kCream;
    colours.line = palette::kInk;
  }
  return colours;
}

namespace {

void PaintIconLeft(cairo_t* cr, const TButtonDesign& d, TButtonState state) {
  const double size = std::min(d.height * 0.62, d.width * 0.3);
  const double iconX = d.height * 0.18 + size * 0.55 + 6;
  d.icon(cr, iconX, d.height / 2, size, IconColours(state, size));
  const double left = iconX + size * 0.6, right = d.width - d.height * 0.2;
  const double labelSize = d.height * 0.34;
  const double cy = d.subLabel.empty() ? d.height / 2 : d.height * 0.42;
  DrawText(cr, d.label, (left + right) / 2, cy, LabelStyle(state, labelSize, right - left));
  if (!d.subLabel.empty())
    DrawText(cr, d.subLabel, (left + right) / 2, d.height * 0.72, LabelStyle(state, labelSize * 0.5, right - left));
}

void PaintIconAbove(cairo_t* cr, const TButtonDesign& d, TButtonState state) {
  const double size = d.height * (d.subLabel.empty() ? 0.42 : 0.46);
  d.icon(cr, d.width / 2, d.height * (d.subLabel.empty() ? 0.34 : 0.33), size, IconColours(state, size));
  const double labelSize = d.height * (d.subLabel.empty() ? 0.2 : 0.17);
  const double maxWidth = d.width * 0.8;
  const double labelY = d.height * (d.subLabel.empty() ? 0.72 : 0.665);
  DrawText(cr, d.label, d.width / 2, labelY, LabelStyle(state, labelSize, maxWidth));
  if (!d.subLabel.empty())
    DrawText(cr, d.subLabel, d.width / 2, d.height * 0.855, LabelStyle(state, labelSize * 0.62, maxWidth));
}

}  // namespace

void PaintButton(cairo_t* cr, const TButtonDesign& design, TButtonState state) {
  PaintPlaque(cr, 0, 0, design.width, design.height, design.shape, state);
  cairo_save(cr);
  // A pressed button sinks a little into the screen.
  if (state == TButtonState::Active) cairo_translate(cr, design.width * 0.008, design.height * 0.02);
  if (design.icon == nullptr) {
    // Thin strips need most of their height for legible letters.
    const double share = design.height < 40 ? 0.58 : 0.42;
    const double size = design.height * (design.subLabel.empty() ? share : 0.32);
    const double cy = design.subLabel.empty() ? design.height / 2 : design.height * 0.4;
    const double maxWidth = design.width - design.height * 0.5;
    DrawText(cr, design.label, design.width / 2, cy, LabelStyle(state, size, maxWidth));
    if (!design.subLabel.empty())
      DrawText(cr, design.subLabel, design.width / 2, design.height * 0.72,
               LabelStyle(state, size * 0.5, maxWidth));
  } else if (design.iconAbove) {
    PaintIconAbove(cr, design, state);
  } else {
    PaintIconLeft(cr, design, state);
  }
  cairo_restore(cr);
}
