// Progressive JPEG files and the decoder's limit on scans: a file with the usual
// progressive script reads like a baseline one, and one whose scans are repeated past
// the limit is refused rather than decoded pass after pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "assets/ImageJpeg.h"
#include "tools/writers/JpegWriter.h"

namespace {

std::vector<std::uint8_t> Rgb(int width, int height) {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x * 9), static_cast<std::uint8_t>(y * 13), 90});
    }
  }
  return rgb;
}

int Scans(const TBytes& jpeg) {
  int count = 0;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) count += jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA;
  return count;
}

}  // namespace

TEST(JpegScans, AProgressiveFileDecodesLikeABaselineOne) {
  const TBytes baseline = EncodeJpeg(24, 16, Rgb(24, 16), 95);
  const TBytes progressive = EncodeJpeg(24, 16, Rgb(24, 16), 95, true);
  EXPECT_EQ(Scans(baseline), 1);
  EXPECT_GE(Scans(progressive), 6);
  TImage a, b;
  ASSERT_TRUE(DecodeJpegPixels(baseline, a));
  ASSERT_TRUE(DecodeJpegPixels(progressive, b));
  ASSERT_EQ(a.pixels.size(), b.pixels.size());
  for (std::size_t i = 0; i < a.pixels.size(); ++i) ASSERT_LE(std::abs(a.pixels[i] - b.pixels[i]), 6) << i;
}

TEST(JpegScans, RepeatedScansPastTheLimitAreRefused) {
  const TBytes progressive = EncodeJpeg(16, 16, Rgb(16, 16), 80, true);
  const int scans = Scans(progressive);
  TImage image;
  const TBytes within = RepeatLastScan(progressive, 400 - scans);
  EXPECT_EQ(Scans(within), 400);
  EXPECT_TRUE(DecodeJpegPixels(within, image));
  const TBytes beyond = RepeatLastScan(progressive, 600 - scans);
  EXPECT_EQ(Scans(beyond), 600);
  EXPECT_FALSE(DecodeJpegPixels(beyond, image));
  EXPECT_TRUE(RepeatLastScan({0xFF, 0xD8, 0xFF, 0xD9}, 3).empty());  // no scan to repeat
  EXPECT_TRUE(RepeatLastScan(TBytes(progressive.begin(), progressive.end() - 1), 3).empty());
}
