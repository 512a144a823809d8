// A sky dome and a ground disc that go with the camera, compiled once into two display
// lists from strips of vertices worked out by whoever plans the scene.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/Utype.h"
#include "renderer/GlHandles.h"

struct TSkyVertex {
  float r = 0.0f, g = 0.0f, b = 0.0f;
  double x = 0.0, y = 0.0, z = 0.0;
};
// One quad strip of the dome or of its skirt below the horizon.
using TSkyStrip = std::vector<TSkyVertex>;

struct TGroundVertex {
  double s = 0.0, t = 0.0;  // texture coordinates, in tiles
  double haze = 0.0;        // the distance the haze goes by
  double x = 0.0, y = 0.0, z = 0.0;
};
// One quad strip of the disc, white under its texture.
using TGroundStrip = std::vector<TGroundVertex>;

class TBackdropDraw {
 public:
  // Needs a current OpenGL context. The ground texture (0 for none) is not owned; its
  // coordinates repeat every `groundTile` world units.
  TBackdropDraw(const std::vector<TSkyStrip>& sky, const std::vector<TGroundStrip>& ground,
                std::uint32_t groundTexture, double groundTile);

  // Centred under the eye, untextured, without haze.
  void DrawSky(const T_point& eye) const;
  // Centred under the eye, its texture fixed to the world as the eye moves; takes the
  // haze that is set, by the distance each vertex gives.
  void DrawGround(const T_point& eye) const;

 private:
  TDisplayLists lists_;  // the sky, then the ground
  std::uint32_t groundTexture_ = 0;
  double groundTile_ = 1.0;
};
