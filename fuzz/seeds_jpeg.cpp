#include "fuzz/SeedMaker.h"
#include "fuzz/SeedPictures.h"
#include "tools/writers/JpegWriter.h"

namespace {

// Baseline files, a progressive one (several scans, each a pass over the picture), and
// the same with its last scan repeated past the decoder's limit of 500, so the limit is
// met from the first run.
TSeedMaker maker("jpeg", [](const std::string& dir) {
  const TImage small = SeedPicture(8, 8, 3);
  const TImage odd = SeedPicture(17, 9, 3);
  WriteSeed(dir, "8x8.jpg", EncodeJpeg(small.width, small.height, small.pixels, 75));
  WriteSeed(dir, "17x9.jpg", EncodeJpeg(odd.width, odd.height, odd.pixels, 30));
  const TBytes progressive = EncodeJpeg(odd.width, odd.height, odd.pixels, 60, true);
  WriteSeed(dir, "17x9-progressive.jpg", progressive);
  WriteSeed(dir, "17x9-600-scans.jpg", RepeatLastScan(progressive, 600));
});

}  // namespace
