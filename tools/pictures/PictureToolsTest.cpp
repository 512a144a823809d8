// The generator's building blocks: sizes, canvas edges, noise that tiles, the JPEG writer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "assets/Image.h"
#include "tools/pictures/Canvas.h"
#include "tools/pictures/Noise.h"
#include "tools/pictures/RacePictures.h"
#include "tools/writers/JpegWriter.h"

TEST(PictureSizes, StoredSizeIsTheNearestPowerOfTwoWithinLimits) {
  EXPECT_EQ(StoredSize(320), 256);   // a 250-unit menu button at 1.28 pixels a unit
  EXPECT_EQ(StoredSize(400), 512);
  EXPECT_EQ(StoredSize(128), 128);
  EXPECT_EQ(StoredSize(3), 16);
  EXPECT_EQ(StoredSize(5000), 1024);
}

TEST(PictureCanvas, HardEdgesLeaveOnlyOpaqueAndClearPixelsWithoutDarkFringes) {
  TCanvas canvas(32, 16, 100, 50);
  cairo_arc(canvas.Cr(), 50, 25, 20, 0, 2 * M_PI);  // a circle in design units
  cairo_set_source_rgb(canvas.Cr(), 1, 0, 0);
  cairo_fill(canvas.Cr());
  const TPicture picture = canvas.Take(TEdge::Hard);
  ASSERT_EQ(picture.width, 32);
  ASSERT_EQ(picture.height, 16);
  EXPECT_DOUBLE_EQ(picture.shownAspect, 2.0);
  int opaque = 0;
  for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
    ASSERT_TRUE(picture.rgba[i + 3] == 0 || picture.rgba[i + 3] == 255);
    opaque += picture.rgba[i + 3] == 255;
  }
  EXPECT_GT(opaque, 60);
  EXPECT_LT(opaque, 32 * 16 - 60);
  // The clear pixel just outside the circle's right edge took the red of its neighbour.
  const std::uint8_t* outside = &picture.rgba[(8 * 32 + 23) * 4];
  EXPECT_EQ(outside[3], 0);
  EXPECT_GT(outside[0], 200);
}

TEST(PictureCanvas, SoftEdgesKeepStraightAlpha) {
  TCanvas canvas(4, 4, 4, 4);
  cairo_set_source_rgba(canvas.Cr(), 0, 1, 0, 0.5);
  cairo_paint(canvas.Cr());
  const TPicture picture = canvas.Take(TEdge::Soft);
  EXPECT_NEAR(picture.rgba[1], 255, 2);  // not premultiplied
  EXPECT_NEAR(picture.rgba[3], 128, 1);
}

TEST(PictureNoise, TilesWrapAroundAndStayInRange) {
  for (double t = 0; t < 1; t += 0.0625) {
    EXPECT_NEAR(TileFbm(0, t, 4, 5, 0.5, 9), TileFbm(1, t, 4, 5, 0.5, 9), 1e-9);
    EXPECT_NEAR(TileFbm(t, 0, 4, 5, 0.5, 9), TileFbm(t, 1, 4, 5, 0.5, 9), 1e-9);
    EXPECT_NEAR(PeriodicNoise(0.3, t * 8, 8, 4, 3), PeriodicNoise(8.3, t * 8 + 4, 8, 4, 3), 1e-9);
  }
  double low = 1, high = 0;
  for (int i = 0; i < 4000; ++i) {
    const double n = PeriodicNoise(i * 0.137, i * 0.071, 16, 5);
    low = std::min(low, n);
    high = std::max(high, n);
  }
  EXPECT_GE(low, 0.0);
  EXPECT_LE(high, 1.0);
  EXPECT_GT(high - low, 0.5);  // noise, not a constant
}

TEST(PictureNoise, TheSameSeedGivesTheSameSequence) {
  TRandom a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    const std::uint64_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs |= x != c.Next();
  }
  EXPECT_TRUE(differs);
  TRandom d(7);
  for (int i = 0; i < 1000; ++i) {
    const double u = d.Uniform(2, 3);
    ASSERT_GE(u, 2);
    ASSERT_LT(u, 3);
    ASSERT_LT(d.Below(5), 5);
  }
}

TEST(JpegWriter, RoundTripsThroughTheGamesDecoderAndIsRepeatable) {
  const int w = 48, h = 32;
  std::vector<std::uint8_t> rgb(w * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &rgb[(y * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 5);
      p[1] = static_cast<std::uint8_t>(y < h / 2 ? 200 : 40);
      p[2] = 90;
    }
  const TBytes bytes = EncodeJpeg(w, h, rgb, 95);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes, EncodeJpeg(w, h, rgb, 95));
  const TDecodeResult decoded = DecodeJpeg("test.jpg", bytes, true);
  ASSERT_TRUE(decoded.ok);
  ASSERT_EQ(decoded.image.width, w);
  ASSERT_EQ(decoded.image.height, h);
  // The decoder gives the bottom row first; row 0 of ours is the top.
  const int channels = decoded.image.channels;
  const std::uint8_t* top = &decoded.image.pixels[((h - 1) * w + 40) * channels];
  const std::uint8_t* bottom = &decoded.image.pixels[(0 * w + 10) * channels];
  EXPECT_NEAR(top[0], 200, 12);
  EXPECT_NEAR(top[1], 200, 12);
  EXPECT_NEAR(bottom[0], 50, 12);
  EXPECT_NEAR(bottom[1], 40, 12);
}

TEST(JpegWriter, RefusesPixelsThatDoNotMatchTheSize) {
  EXPECT_TRUE(EncodeJpeg(4, 4, std::vector<std::uint8_t>(47), 90).empty());
  EXPECT_TRUE(EncodeJpeg(0, 4, {}, 90).empty());
  EXPECT_TRUE(EncodeJpeg(-2, 4, std::vector<std::uint8_t>(24), 90).empty());
  // A folder that cannot be made: its name is taken by a plain file.
  const std::string blocker = testing::TempDir() + "velmora_jpeg_blocker";
  ASSERT_TRUE(WriteBytesToFile(blocker, {1}));
  EXPECT_FALSE(WriteJpegFile(blocker + "/x.jpg", 1, 1, {1, 2, 3}, 90));
  std::remove(blocker.c_str());
}

TEST(DialNotches, FirstSitsAtNineOClockAndEachTurnsElevenDegreesClockwise) {
  double x0, y0, x8, y8, x31, y31;
  DialNotchCentre(0, x0, y0);
  DialNotchCentre(8, x8, y8);
  DialNotchCentre(31, x31, y31);
  const double cx = 187, cy = 186;
  // All on the middle of the ring the mouse drags along (135 to 166 from the centre).
  for (int i = 0; i < 32; ++i) {
    double x, y;
    DialNotchCentre(i, x, y);
    EXPECT_NEAR(std::hypot(x - cx, y - cy), 151.8, 0.5);
  }
  EXPECT_LT(x0, cx - 140);
  EXPECT_LT(y0, cy);       // just above the centre line
  EXPECT_GT(y0, cy - 40);
  EXPECT_NEAR(x8, cx + 24, 3);  // 99 degrees clockwise from 9 o'clock: just past 12
  EXPECT_LT(y8, cy - 140);
  EXPECT_LT(x31, cx - 100);   // the last one, 341 degrees on, comes back below 9 o'clock
  EXPECT_GT(y31, cy);
}
