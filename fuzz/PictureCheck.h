// What every picture decoder promises, whatever the bytes: a picture whose buffer holds
// exactly its pixels, or a failure the player is told about.
#pragma once

#include <cstddef>

#include "assets/Image.h"

inline void CheckDecoded(const TDecodeResult& result) {
  const TImage& image = result.image;
  if (result.ok) {
    const bool sized = image.width >= 1 && image.height >= 1 && (image.channels == 3 || image.channels == 4) &&
                       image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * image.channels;
    if (!sized) __builtin_trap();
  } else if (result.message.empty() || result.caption.empty()) {
    __builtin_trap();
  }
}
