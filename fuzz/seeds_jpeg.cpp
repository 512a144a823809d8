#include "fuzz/SeedMaker.h"
#include "fuzz/SeedPictures.h"
#include "tools/writers/JpegWriter.h"

namespace {

TSeedMaker maker("jpeg", [](const std::string& dir) {
  const TImage small = SeedPicture(8, 8, 3);
  const TImage odd = SeedPicture(17, 9, 3);
  WriteSeed(dir, "8x8.jpg", EncodeJpeg(small.width, small.height, small.pixels, 75));
  WriteSeed(dir, "17x9.jpg", EncodeJpeg(odd.width, odd.height, odd.pixels, 30));
});

}  // namespace
