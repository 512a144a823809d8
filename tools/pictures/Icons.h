// Small vector symbols shared by buttons, panels and backgrounds. Each is drawn centred on
// (cx, cy) within a square of side `size`, filled with `fill` and outlined with `line`.
#pragma once

#include <cairo/cairo.h>

#include "tools/pictures/Style.h"

struct TIconColours {
  TRgb fill = palette::kCream;
  TRgb line = palette::kInk;
  double lineWidth = 2;
};

// Fills the current path with fill and strokes it with line (the stroke under the fill).
void FillOutlined(cairo_t* cr, const TIconColours& colours);

void DrawCraft(cairo_t* cr, double cx, double cy, double size, double angle, const TIconColours& colours);
void DrawGear(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawPower(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawBackArrow(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawNetwork(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawSplitScreen(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawSpeaker(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawHourglass(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawStopwatch(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawScroll(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawPlay(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
void DrawDoor(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);
// A thick chevron pointing left (direction -1) or right (+1).
void DrawChevron(cairo_t* cr, double cx, double cy, double size, int direction, const TIconColours& colours);
void DrawFloppy(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);

// A paper lantern of the given body width (its height is 1.3 times that), glowing with
// `glow` inside when lit.
void DrawLantern(cairo_t* cr, double cx, double cy, double width, TRgb body, double glow);
// A flight ring seen at an angle: an elliptic torus of outer radii rx, ry.
void DrawRing(cairo_t* cr, double cx, double cy, double rx, double ry, TRgb colour);
