// What lies round the terrain in a film: a sky dome of coloured vertices and a wide
// ground disc, both going with the camera. The dome lies under the terrain's sky-box
// ceiling and inside its walls, and the disc a hair above its ground plane, so once
// drawn (depth written) they hide the box, whose corners a wide film lens would show,
// and the plane, which is one quad and so cannot fade into the haze point by point.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/Utype.h"
#include "cutscene/FilmPlan.h"
#include "renderer/BackdropDraw.h"

inline constexpr double kDomeRadius = 40000.0;  // inside the sky box's walls (50000)
inline constexpr double kDomeHeight = 8000.0;   // under its ceiling (10000)
inline constexpr double kDiscHeight = 0.1;      // under a terrain sample of 1

// The dome's strips in the sky's colours, and its skirt below the horizon.
std::vector<TSkyStrip> SkyDomeStrips(const TFilmSky& sky);
// The disc's strips, its texture repeating every `tile` world units.
std::vector<TGroundStrip> GroundDiscStrips(double tile);

class TBackdrop {
 public:
  // Compiles the dome and the disc: needs a current OpenGL context. The ground texture
  // (0 for none) repeats every `groundTile` world units.
  TBackdrop(const TFilmSky& sky, std::uint32_t groundTexture, double groundTile);

  // Centred under the eye, untextured, without haze.
  void DrawSky(const T_point& eye) const { draw_.DrawSky(eye); }
  // Centred under the eye, its texture fixed to the world as the eye moves; takes the
  // haze that is set.
  void DrawGround(const T_point& eye) const { draw_.DrawGround(eye); }

 private:
  TBackdropDraw draw_;
};
