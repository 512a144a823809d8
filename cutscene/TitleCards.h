// The film's words: drawn once at start-up with cairo into textures the size of a power
// of two; the renderer shows each as a single quad (renderer/TitleCardDraw.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "renderer/TitleCardDraw.h"

enum class TTextStyle {
  Title,     // the season's name: large serif letters
  Subtitle,  // capitals spaced wide between two thin rules
  Credit,    // a credit line: middle-sized serif
  Note,      // a small line beneath a credit
};

// Letters as premultiplied RGBA, bottom row first, out of cairo's native-endian ARGB
// words laid out top row first with `stride` bytes a row.
std::vector<std::uint8_t> CairoToGlPixels(const unsigned char* data, int stride, int width,
                                          int height);

// The words drawn with cairo and uploaded; the font size follows the screen's height.
// Needs a current OpenGL context.
TTextTexture MakeTextTexture(const std::string& text, TTextStyle style, int screenHeight);

