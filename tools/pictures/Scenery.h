// The dusk landscape behind the menus: sky, stars, moon, layered mountains with lantern
// lights in the valleys, drifting blossom petals; and the frames, titles and logo laid
// over it. All in the 800 x 600 virtual screen's units.
#pragma once

#include <cairo/cairo.h>

#include <cstdint>
#include <string>

#include "tools/pictures/Style.h"

struct TSceneLook {
  TRgb skyTop;
  TRgb skyMiddle;
  TRgb horizon;
  TRgb farHills;
  TRgb nearHills;
  double horizonY = 420;  // where the sky meets the farthest hills
  double moonX = 0;       // moon centre; radius 0: no moon
  double moonY = 0;
  double moonRadius = 0;
  int stars = 120;
  int petals = 40;
  int valleyLights = 30;
  std::uint32_t seed = 1;
};

// The palettes of the screens: each a different hour of the same evening.
TSceneLook EveningLook(std::uint32_t seed);
TSceneLook NightLook(std::uint32_t seed);
TSceneLook DawnLook(std::uint32_t seed);

void PaintScene(cairo_t* cr, double width, double height, const TSceneLook& look);
void PaintPetals(cairo_t* cr, double width, double height, int count, std::uint32_t seed, double alpha);

// A translucent lacquer panel with a double gold border and corner diamonds: the place a
// group of buttons sits on.
void PaintFrame(cairo_t* cr, double x, double y, double w, double h);

// Big gold lettering for screen titles, centred on (cx, cy).
void PaintTitle(cairo_t* cr, const std::string& text, double cx, double cy, double size);
void PaintTitleLeft(cairo_t* cr, const std::string& text, double x, double cy, double size);
// Quiet cream lettering for a line of explanation.
void PaintNote(cairo_t* cr, const std::string& text, double cx, double cy, double size);

// The game's name with a flight ring swept around it; `size` is the letter height.
void PaintLogo(cairo_t* cr, double cx, double cy, double size);

// A dotted gold flight path through the given points (a smooth curve).
void PaintFlightPath(cairo_t* cr, const double (*points)[2], int count);
