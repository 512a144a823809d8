// The film's words: drawn once at start-up with cairo into textures the size of a power
// of two, then shown as single quads, one texture pixel to one screen pixel, so they stay
// sharp and cost next to nothing per frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TTextStyle {
  Title,     // the season's name: large serif letters
  Subtitle,  // capitals spaced wide between two thin rules
  Credit,    // a credit line: middle-sized serif
  Note,      // a small line beneath a credit
};

struct TTextTexture {
  std::uint32_t texture = 0;  // 0: nothing to draw (empty words, or cairo failed)
  int width = 0;              // texture size in pixels, drawn one to one
  int height = 0;
  int inkWidth = 0;           // how wide the words themselves are
};

// Letters as premultiplied RGBA, bottom row first, out of cairo's native-endian ARGB
// words laid out top row first with `stride` bytes a row.
std::vector<std::uint8_t> CairoToGlPixels(const unsigned char* data, int stride, int width,
                                          int height);

// The font size follows the screen's height. Needs a current OpenGL context.
TTextTexture MakeTextTexture(const std::string& text, TTextStyle style, int screenHeight);

// Draws the words centred on (x, y), in the pixels of an orthographic projection with
// the origin at the bottom-left; `zoom` 1 is one to one. Blending must be on.
void DrawTextTexture(const TTextTexture& text, double x, double y, double alpha, double zoom);
