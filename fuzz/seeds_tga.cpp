#include "fuzz/SeedMaker.h"
#include "fuzz/SeedPictures.h"
#include "tools/writers/ImageWriters.h"

namespace {

TSeedMaker maker("tga", [](const std::string& dir) {
  WriteSeed(dir, "raw24.tga", MakeTga(SeedPicture(6, 4, 3), false));
  WriteSeed(dir, "raw32.tga", MakeTga(SeedPicture(5, 3, 4), false));
  WriteSeed(dir, "rle24.tga", MakeTga(SeedPicture(9, 4, 3), true));
  WriteSeed(dir, "rle32.tga", MakeTga(SeedPicture(12, 3, 4), true));
});

}  // namespace
