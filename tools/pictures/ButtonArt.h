// How a button looks in each of its states: lacquered indigo plaques with a gold rim that
// warm up under the mouse and turn to lantern gold when pressed.
#pragma once

#include <cairo/cairo.h>

#include <string>

#include "tools/pictures/Icons.h"
#include "tools/pictures/Style.h"

enum class TButtonState { Inactive, Focus, Active };

// Draws a symbol of `size` centred on (cx, cy).
using TIconDraw = void (*)(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours);

enum class TButtonShape { Plaque, Round };

struct TButtonDesign {
  double width = 0;  // virtual menu units (800 x 600 screen)
  double height = 0;
  std::string label;
  std::string subLabel;  // a smaller second line, may be empty
  TIconDraw icon = nullptr;
  TButtonShape shape = TButtonShape::Plaque;
  bool iconAbove = false;  // icon over the label rather than left of it
};

// Colours of text and symbols on a plaque in the given state.
TTextStyle LabelStyle(TButtonState state, double size, double maxWidth);
TIconColours IconColours(TButtonState state, double size);

// The plaque (or disc) filling the rectangle x, y, w, h, in the state's colours.
void PaintPlaque(cairo_t* cr, double x, double y, double w, double h, TButtonShape shape, TButtonState state);

// A whole button: plaque, symbol and label, laid out in a w x h design rectangle at origin.
void PaintButton(cairo_t* cr, const TButtonDesign& design, TButtonState state);
