// Words made into a texture once and shown as one quad a frame, one texture pixel to one
// screen pixel, so they stay sharp and cost next to nothing.
#pragma once

#include <cstdint>

#include "renderer/GlHandles.h"

struct TTextTexture {
  TTexture texture;  // none: nothing to draw (empty words, or the letters could not be made)
  int width = 0;     // texture size in pixels, drawn one to one
  int height = 0;
  int inkWidth = 0;  // how wide the words themselves are
};

// Uploads letters given as premultiplied RGBA, bottom row first, `width` x `height`
// pixels (powers of two). Needs a current OpenGL context.
TTextTexture UploadTextTexture(int width, int height, const std::uint8_t* rgba, int inkWidth);

// Draws the words centred on (x, y), in the pixels of an orthographic projection with
// the origin at the bottom-left; `zoom` 1 is one to one. Blending must be on.
void DrawTextTexture(const TTextTexture& text, double x, double y, double alpha, double zoom);
