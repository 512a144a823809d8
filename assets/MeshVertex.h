// A textured vertex as the terrain and its ground and sky are built and drawn: plain
// values that the world computes and the renderer compiles, so neither needs the other.
#pragma once

#include <array>

struct TMeshVertex {
  float s = 0.0f;  // texture coordinates
  float t = 0.0f;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

using TQuadVertices = std::array<TMeshVertex, 4>;
