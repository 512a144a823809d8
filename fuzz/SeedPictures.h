// Small pictures for the decoders' seeds: a colour gradient with a few repeated pixels,
// so that run-length files get both kinds of packet.
#pragma once

#include <cstdint>

#include "assets/Image.h"

inline TImage SeedPicture(int width, int height, int channels) {
  TImage image{width, height, channels, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool flat = x < width / 3;  // a run at the start of each row
      image.pixels.push_back(static_cast<std::uint8_t>(flat ? 200 : x * 255 / width));
      image.pixels.push_back(static_cast<std::uint8_t>(flat ? 40 : y * 255 / height));
      image.pixels.push_back(static_cast<std::uint8_t>(flat ? 90 : (x + y) * 7));
      if (channels == 4) image.pixels.push_back(static_cast<std::uint8_t>(flat ? 0 : 255 - x * 9));
    }
  }
  return image;
}
