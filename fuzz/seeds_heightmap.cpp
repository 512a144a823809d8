#include "fuzz/SeedMaker.h"
#include "fuzz/SeedPictures.h"
#include "tools/writers/ImageWriters.h"

namespace {

// Rows of 5 pixels need padding, rows of 4 do not; a negative height stores the top row
// first; a declared file size of 0 makes the reader fall back to 4-byte alignment.
TSeedMaker maker("heightmap", [](const std::string& dir) {
  WriteSeed(dir, "4x4.bmp", MakeBmp24(SeedPicture(4, 4, 3)));
  WriteSeed(dir, "5x3.bmp", MakeBmp24(SeedPicture(5, 3, 3)));
  TBytes topDown = MakeBmp24(SeedPicture(7, 2, 3));
  topDown[22] = 0xFE;  // height -2
  topDown[23] = topDown[24] = topDown[25] = 0xFF;
  WriteSeed(dir, "7x2-top-down.bmp", topDown);
  TBytes noSize = MakeBmp24(SeedPicture(6, 5, 3));
  noSize[2] = noSize[3] = noSize[4] = noSize[5] = 0;
  WriteSeed(dir, "6x5-no-size.bmp", noSize);
  WriteSeed(dir, "1x40.bmp", MakeBmp24(SeedPicture(1, 40, 3)));
});

}  // namespace
