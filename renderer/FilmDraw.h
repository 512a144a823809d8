// A story film's frame: a lens over the terrain and its haze, then flat screen pixels for
// the light laid over the picture, the cinema bars, the words and the fades to black.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/Utype.h"

// Black on the whole window, depth cleared: the first thing a film shows, and each frame's
// start.
void ClearToBlack();
// Clears to black and draws into the whole `width` x `height` window.
void BeginFilmFrame(int width, int height);

// A perspective lens (vertical field of view in degrees) from `eye` towards `target`,
// the world drawn opaque with the depth test.
void LookThroughFilmLens(double fieldOfView, double aspect, double nearest, double farthest,
                         const T_point& eye, const T_point& target);
// Mipmapped distances: without them a repeated texture sparkles as the camera moves.
// The texture must have its mipmaps already; 0 is left alone.
void UseMipmapsWhenFar(std::uint32_t texture);

// The ground fades into `colour` from `start` to `end` world units from the eye.
void BeginFilmHaze(float r, float g, float b, double start, double end);
void EndFilmHaze();
// Until the end, nothing below `height` is drawn, and textures are on.
void BeginAboveHeight(double height);
void EndAboveHeight();

// Flat from here: screen pixels from the bottom-left corner, no depth, no light,
// blending on.
void BeginFilmFlat(int width, int height);

struct TFlatColourVertex {
  float r = 0.0f, g = 0.0f, b = 0.0f;
  double x = 0.0, y = 0.0;
};
// A triangle fan that multiplies what lies under it by its colours.
void MultiplyByFan(const std::vector<TFlatColourVertex>& fan);
// An untextured rectangle in the colour given, blended as the blending is set.
void FillFlatRect(double x0, double y0, double x1, double y1, float r, float g, float b,
                  float a);
// Black laid over `width` x `height` at `alpha` (0 to 1).
void DarkenFlat(double width, double height, double alpha);
