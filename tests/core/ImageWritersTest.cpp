#include <gtest/gtest.h>

#include "assets/Image.h"
#include "tools/writers/ImageWriters.h"

namespace {

std::uint32_t U32At(const TBytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

TEST(ImageWriters, BmpHasTheUsualHeadersAndPaddedRows) {
  const TImage picture = MakeSolidImage(5, 3, {1, 2, 3, 99});  // alpha is dropped
  const TBytes bmp = MakeBmp24(picture);
  const std::size_t stride = 16;  // 15 bytes of pixels, one of padding
  ASSERT_EQ(bmp.size(), 54 + stride * 3);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32At(bmp, 2), bmp.size());
  EXPECT_EQ(U32At(bmp, 10), 54u);
  EXPECT_EQ(U32At(bmp, 18), 5u);
  EXPECT_EQ(U32At(bmp, 22), 3u);
  EXPECT_EQ(bmp[28], 24);
  EXPECT_EQ(U32At(bmp, 34), stride * 3);
  EXPECT_EQ(U32At(bmp, 46), 0u);
  EXPECT_EQ((TBytes{bmp[54], bmp[55], bmp[56]}), (TBytes{3, 2, 1}));  // blue, green, red
  EXPECT_EQ(bmp[54 + 15], 0);
  const TDecodeResult back = DecodeBmp("s.bmp", bmp, true);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.image.pixels, MakeSolidImage(5, 3, {1, 2, 3}).pixels);
}

TEST(ImageWriters, RunLengthPacketsStayWithinRowsAnd128Pixels) {
  // A row of 200 equal pixels: a run of 128 and a run of 72.
  const TBytes solid = MakeTga(MakeSolidImage(200, 1, {9, 8, 7}), true);
  EXPECT_EQ(solid[2], 10);
  EXPECT_EQ(solid[16], 24);
  EXPECT_EQ(solid[17], 0);  // bottom-left origin
  ASSERT_EQ(solid.size(), 18u + 8);
  EXPECT_EQ((TBytes(solid.begin() + 18, solid.end())), (TBytes{255, 7, 8, 9, 128 + 71, 7, 8, 9}));

  // Two rows of one colour each are never joined into one packet; different pixels
  // go out as one raw packet.
  TImage rows{2, 2, 4, {5, 5, 5, 5, 5, 5, 5, 5, 1, 2, 3, 4, 6, 7, 8, 9}};
  const TBytes tga = MakeTga(rows, true);
  EXPECT_EQ(tga[17], 8);  // eight alpha bits
  EXPECT_EQ((TBytes(tga.begin() + 18, tga.end())),
            (TBytes{129, 5, 5, 5, 5, 1, 3, 2, 1, 4, 8, 7, 6, 9}));
  const TDecodeResult back = DecodeTga("r.tga", tga, true);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.image.pixels, rows.pixels);
}
