// A cairo drawing surface laid out in design units and stretched onto the stored size.
#pragma once

#include <cairo/cairo.h>

#include "tools/pictures/Picture.h"

// The game stretches every picture back onto the rectangle it is shown in, so drawing in the
// shown rectangle's own units and letting cairo scale to the stored power-of-two size keeps
// circles round and text upright on screen.
class TCanvas {
 public:
  TCanvas(int storedWidth, int storedHeight, double designWidth, double designHeight);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  cairo_t* Cr() const { return cr_; }
  double Width() const { return designWidth_; }
  double Height() const { return designHeight_; }

  // Straight-alpha RGBA copy of what was drawn, with the edge rule applied.
  TPicture Take(TEdge edge) const;

 private:
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  double designWidth_;
  double designHeight_;
};

// Gives fully transparent pixels the colour of their visible neighbours, so that the
// texture's linear filter does not pull a dark fringe into the edges of a shape.
void BleedColourIntoTransparency(TPicture& picture, int passes);
