#include "fuzz/SeedMaker.h"
#include "fuzz/SeedPictures.h"
#include "tools/writers/ImageWriters.h"

namespace {

// Rows of 5 and 7 pixels need padding; rows of 4 do not. A negative height stores the
// top row first.
TSeedMaker maker("bmp", [](const std::string& dir) {
  WriteSeed(dir, "4x4.bmp", MakeBmp24(SeedPicture(4, 4, 3)));
  WriteSeed(dir, "5x3.bmp", MakeBmp24(SeedPicture(5, 3, 3)));
  TBytes topDown = MakeBmp24(SeedPicture(7, 2, 3));
  topDown[22] = 0xFE;  // height -2
  topDown[23] = topDown[24] = topDown[25] = 0xFF;
  WriteSeed(dir, "7x2-top-down.bmp", topDown);
});

}  // namespace
