#include "tools/writers/ImageWriters.h"

#include <algorithm>
#include <cstring>

namespace {

void PutBgr(TBytes& out, const std::uint8_t* pixel) {
  PutU8(out, pixel[2]);
  PutU8(out, pixel[1]);
  PutU8(out, pixel[0]);
}

void PutTgaPixel(TBytes& out, const std::uint8_t* pixel, int channels) {
  PutBgr(out, pixel);
  if (channels == 4) PutU8(out, pixel[3]);
}

void PutTgaHeader(TBytes& out, const TImage& image, bool rle) {
  PutU8(out, 0);              // no image-ID field
  PutU8(out, 0);              // no colour map
  PutU8(out, rle ? 10 : 2);   // true colour
  for (int i = 0; i < 5; ++i) PutU8(out, 0);  // colour-map specification
  PutU16(out, 0);             // origin x
  PutU16(out, 0);             // origin y
  PutU16(out, static_cast<unsigned>(image.width));
  PutU16(out, static_cast<unsigned>(image.height));
  PutU8(out, static_cast<unsigned>(image.channels * 8));
  PutU8(out, image.channels == 4 ? 8 : 0);  // alpha bits; origin bottom-left
}

// Length of the run of equal pixels starting at `first`, at most `limit`.
int RunLength(const std::uint8_t* first, int limit, int channels) {
  int length = 1;
  while (length < limit && std::memcmp(first, first + length * channels, channels) == 0) ++length;
  return length;
}

// A run packet for two or more equal pixels, raw packets for the rest, 128 pixels at most.
void PutRleRow(TBytes& out, const std::uint8_t* row, int width, int channels) {
  int x = 0;
  while (x < width) {
    const int limit = std::min(128, width - x);
    const int run = RunLength(row + x * channels, limit, channels);
    if (run >= 2) {
      PutU8(out, static_cast<unsigned>(128 + run - 1));
      PutTgaPixel(out, row + x * channels, channels);
      x += run;
      continue;
    }
    int raw = 1;  // grows until two equal pixels begin a run (never looking past the row)
    while (raw < limit &&
           RunLength(row + (x + raw) * channels, std::min(2, width - x - raw), channels) < 2) {
      ++raw;
    }
    PutU8(out, static_cast<unsigned>(raw - 1));
    for (int i = 0; i < raw; ++i) PutTgaPixel(out, row + (x + i) * channels, channels);
    x += raw;
  }
}

}  // namespace

TBytes MakeBmp24(const TImage& image) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) / 4 * 4;
  const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(image.height);
  TBytes out;
  out.reserve(54 + dataSize);
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, 54 + dataSize);
  PutU32(out, 0);
  PutU32(out, 54);  // pixels right behind the headers
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(image.width));
  PutU32(out, static_cast<std::uint32_t>(image.height));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, 0);   // uncompressed
  PutU32(out, dataSize);
  PutU32(out, 2835);  // 72 dots per inch, both ways
  PutU32(out, 2835);
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // important colours
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + y * rowBytes;
    for (int x = 0; x < image.width; ++x) PutBgr(out, row + x * image.channels);
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad) PutU8(out, 0);
  }
  return out;
}

TBytes MakeTga(const TImage& image, bool rle) {
  TBytes out;
  out.reserve(18 + image.pixels.size() + (rle ? image.pixels.size() / 2 : 0));
  PutTgaHeader(out, image, rle);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + y * rowBytes;
    if (rle) {
      PutRleRow(out, row, image.width, image.channels);
    } else {
      for (int x = 0; x < image.width; ++x) PutTgaPixel(out, row + x * image.channels, image.channels);
    }
  }
  return out;
}

bool WriteBmp24(const std::string& path, const TImage& image) {
  return WriteBytesToFile(path, MakeBmp24(image));
}

bool WriteTga(const std::string& path, const TImage& image, bool rle) {
  return WriteBytesToFile(path, MakeTga(image, rle));
}

TImage MakeSolidImage(int width, int height, const std::vector<std::uint8_t>& value) {
  TImage image{width, height, static_cast<int>(value.size()), {}};
  image.pixels.reserve(static_cast<std::size_t>(width) * height * value.size());
  for (long long i = 0; i < static_cast<long long>(width) * height; ++i) {
    image.pixels.insert(image.pixels.end(), value.begin(), value.end());
  }
  return image;
}
