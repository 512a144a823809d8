// A finished picture of the content generator, ready to be written to a file.
#pragma once

#include <cstdint>
#include <vector>

// width x height pixels, 4 bytes each (red, green, blue, alpha; alpha not premultiplied),
// top row first as drawn. Opaque pictures simply hold 255 in every alpha byte.
struct TPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  double shownAspect = 0;  // width / height of the rectangle it is shown in; 0: as stored
};

// How a drawing's alpha is kept when it becomes a picture.
enum class TEdge {
  Opaque,  // JPEG and other pictures without transparency
  Soft,    // blended pictures (HUD, overlay, end of race): alpha as drawn
  Hard     // menu shapes: the menu's alpha test cuts everything below 0.65..0.75, so a
           // pixel is either fully opaque or fully transparent
};

// The texture loader rescales sizes that are not powers of two, so every picture is stored
// at a power of two close to the size it is shown at (in window pixels), 16 to 1024.
int StoredSize(double shownPixels);
