// A screen of image buttons on one face of the menu's box: the background is a 4 x 3 quad
// at z = 2 (x -2..2, y -1.5..1.5) turned with the panel; the buttons lie at z = 2.001 in
// front of it, placed in the panel's virtual units about the face's centre (y up) and
// scaled to box units.
#pragma once

#include <cstdint>
#include <span>

// One button's picture and its edges in virtual units about the face's centre, y up.
struct TButtonQuad {
  std::uint32_t texture = 0;
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  // How far from the box's centre: a picture laid over a button lies a little in front.
  double depth = 2.001;
};

struct TPanelFace {
  double tiltAngle = 0.0;  // degrees about x, then
  double faceAngle = 0.0;  // degrees about y: 0 front, 90 right, -90 left
  std::uint32_t background = 0;
  double scaleX = 1.0;  // box units per virtual unit
  double scaleY = 1.0;
};

// Draws the face in the current model-view matrix and leaves the matrix as it found it.
// The buttons are drawn in the order given, over the background.
void DrawPanelFace(const TPanelFace& face, std::span<const TButtonQuad> buttons);
