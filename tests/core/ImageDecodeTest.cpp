#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "assets/Image.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/JpegWriter.h"
#include "tests/FixtureFolder.h"

namespace fs = std::filesystem;

namespace {

// Every pixel different: x, y and the channel all show in the bytes.
TImage Gradient(int width, int height, int channels) {
  TImage image{width, height, channels, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) image.pixels.push_back(static_cast<std::uint8_t>(x * 20 + y * 7 + c * 60));
    }
  }
  return image;
}

// The picture's rows, top row first, as the JPEG writer takes them.
std::vector<std::uint8_t> TopFirstRgb(const TImage& image) {
  std::vector<std::uint8_t> rows;
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  for (int y = image.height - 1; y >= 0; --y) {
    rows.insert(rows.end(), image.pixels.begin() + y * stride, image.pixels.begin() + (y + 1) * stride);
  }
  return rows;
}

TBytes TgaHeader(unsigned colourMapType, unsigned type, unsigned width, unsigned height, unsigned bits) {
  TBytes bytes(18, 0);
  bytes[1] = static_cast<std::uint8_t>(colourMapType);
  bytes[2] = static_cast<std::uint8_t>(type);
  bytes[12] = static_cast<std::uint8_t>(width & 0xFF);
  bytes[13] = static_cast<std::uint8_t>(width >> 8);
  bytes[14] = static_cast<std::uint8_t>(height & 0xFF);
  bytes[15] = static_cast<std::uint8_t>(height >> 8);
  bytes[16] = static_cast<std::uint8_t>(bits);
  return bytes;
}

void ExpectFailure(const TDecodeResult& result, const std::string& message, const std::string& caption) {
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, message);
  EXPECT_EQ(result.caption, caption);
}

const std::string kTgaCaption = "TGA File Error";

}  // namespace

TEST(ImageDecode, DecoderIsChosenByTheLastFourCharactersInAnyCase) {
  EXPECT_EQ(ImageKindOf("img/menu_bckgrnd.jpg"), TImageKind::Jpeg);
  EXPECT_EQ(ImageKindOf("a.JpG"), TImageKind::Jpeg);
  EXPECT_EQ(ImageKindOf("map.bMp"), TImageKind::Bmp);
  EXPECT_EQ(ImageKindOf(".TGA"), TImageKind::Tga);
  EXPECT_EQ(ImageKindOf("photo.jpeg"), TImageKind::None);
  EXPECT_EQ(ImageKindOf("tga"), TImageKind::None);
  EXPECT_EQ(ImageKindOf("picture.png"), TImageKind::None);

  TFixtureFolder folder;
  const TImage picture = Gradient(6, 4, 3);
  const TBytes jpeg = EncodeJpeg(picture.width, picture.height, TopFirstRgb(picture), 90);
  ASSERT_TRUE(WriteBytesToFile(folder / "shot.JpG", jpeg));
  ASSERT_TRUE(WriteBytesToFile(folder / "shot.jpeg", jpeg));
  const TDecodeResult mixedCase = DecodeImageFile(folder / "shot.JpG");
  EXPECT_TRUE(mixedCase.ok) << mixedCase.message;
  EXPECT_EQ(mixedCase.image.channels, 4);
  // A ".jpeg" name is refused without a word, though the file is a good picture.
  const TDecodeResult longEnding = DecodeImageFile(folder / "shot.jpeg");
  EXPECT_FALSE(longEnding.ok);
  EXPECT_TRUE(longEnding.message.empty());
}

TEST(ImageDecode, TgaKeepsAlphaInBothEncodingsAndItsRowsInOrder) {
  const TImage rgba = Gradient(7, 3, 4);
  for (bool rle : {false, true}) {
    const TDecodeResult result = DecodeTga("img/jauge.tga", MakeTga(rgba, rle), true);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.image.channels, 4);
    EXPECT_EQ(result.image.pixels, rgba.pixels) << (rle ? "run-length" : "uncompressed");
  }
  const TImage rgb = Gradient(5, 2, 3);
  const TDecodeResult opaque = DecodeTga("a.tga", MakeTga(rgb, true), true);
  ASSERT_TRUE(opaque.ok);
  EXPECT_EQ(opaque.image.channels, 3);
  EXPECT_EQ(opaque.image.pixels, rgb.pixels);
}

TEST(ImageDecode, BottomUpTgaAndBmpOfOnePictureGiveTheSameBytes) {
  // Five pixels a row: 15 bytes, so the BMP pads each row and the TGA does not.
  const TImage picture = Gradient(5, 3, 3);
  const TDecodeResult bmp = DecodeBmp("p.bmp", MakeBmp24(picture), true);
  const TDecodeResult tga = DecodeTga("p.tga", MakeTga(picture, false), true);
  ASSERT_TRUE(bmp.ok) << bmp.message;
  ASSERT_TRUE(tga.ok) << tga.message;
  EXPECT_EQ(bmp.image.pixels, tga.image.pixels);
  EXPECT_EQ(bmp.image.pixels, picture.pixels);
  EXPECT_EQ(bmp.image.channels, 3);

  // The same picture stored top row first: a negative BMP height, a TGA origin bit.
  TBytes topDownBmp = MakeBmp24(picture);
  const std::size_t stride = 16;
  TBytes rows(topDownBmp.begin() + 54, topDownBmp.end());
  for (int y = 0; y < 3; ++y) std::copy(rows.begin() + y * stride, rows.begin() + (y + 1) * stride, topDownBmp.begin() + 54 + (2 - y) * stride);
  topDownBmp[22] = 0xFD;
  topDownBmp[23] = topDownBmp[24] = topDownBmp[25] = 0xFF;
  EXPECT_EQ(DecodeBmp("p.bmp", topDownBmp, true).image.pixels, picture.pixels);

  TBytes topDownTga = MakeTga(picture, false);
  TBytes pixels(topDownTga.begin() + 18, topDownTga.end());
  for (int y = 0; y < 3; ++y) std::copy(pixels.begin() + y * 15, pixels.begin() + (y + 1) * 15, topDownTga.begin() + 18 + (2 - y) * 15);
  topDownTga[17] = 0x20;
  EXPECT_EQ(DecodeTga("p.tga", topDownTga, true).image.pixels, picture.pixels);
}

TEST(ImageDecode, RunLengthPacketsAreBoundedByThePicture) {
  // Header 255: one pixel written 128 times.
  TBytes run = TgaHeader(0, 10, 128, 1, 24);
  run.insert(run.end(), {255, 10, 20, 30});
  const TDecodeResult full = DecodeTga("run.tga", run, true);
  ASSERT_TRUE(full.ok) << full.message;
  ASSERT_EQ(full.image.pixels.size(), 128u * 3);
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(full.image.pixels[i * 3], 30);
    EXPECT_EQ(full.image.pixels[i * 3 + 2], 10);
  }

  // Header 0 copies one pixel; the run of 128 that follows stops at the third pixel.
  TBytes mixed = TgaHeader(0, 10, 3, 1, 32);
  mixed.insert(mixed.end(), {0, 1, 2, 3, 4, 255, 5, 6, 7, 8});
  const TDecodeResult clipped = DecodeTga("mixed.tga", mixed, true);
  ASSERT_TRUE(clipped.ok) << clipped.message;
  EXPECT_EQ(clipped.image.pixels, (std::vector<std::uint8_t>{3, 2, 1, 4, 7, 6, 5, 8, 7, 6, 5, 8}));

  // Data that ends before the last pixel, or inside a raw packet, is a short file.
  const std::string shortRead = "Couldn't read file \"cut.tga\".";
  TBytes early = TgaHeader(0, 10, 200, 1, 24);
  early.insert(early.end(), {255, 1, 2, 3});
  ExpectFailure(DecodeTga("cut.tga", early, true), shortRead, kTgaCaption);
  TBytes insideRaw = TgaHeader(0, 10, 2, 1, 24);
  insideRaw.insert(insideRaw.end(), {1, 1, 2, 3, 4});
  ExpectFailure(DecodeTga("cut.tga", insideRaw, true), shortRead, kTgaCaption);
}

TEST(ImageDecode, TgaRefusalsComeInTheirOrderWithTheirMessages) {
  const std::string name = "img/x.tga";
  const std::string prefix = "Couldn't load \"img/x.tga\". ";
  const TBytes enough(64, 0);
  auto withData = [&](TBytes header) {
    header.insert(header.end(), enough.begin(), enough.end());
    return header;
  };
  ExpectFailure(DecodeTga(name, withData(TgaHeader(0, 3, 2, 2, 8)), true), prefix + "Only 24 and 32bit TGA supported.", kTgaCaption);
  ExpectFailure(DecodeTga(name, withData(TgaHeader(0, 2, 2, 2, 16)), true), prefix + "Only 24 and 32 bit TGA files supported.", kTgaCaption);
  ExpectFailure(DecodeTga(name, withData(TgaHeader(0, 2, 2, 2, 40)), true), prefix + "Only 24 and 32 bit TGA files supported.", kTgaCaption);
  ExpectFailure(DecodeTga(name, withData(TgaHeader(1, 2, 2, 2, 24)), true), prefix + "Colormapped TGA files not supported.", kTgaCaption);
  // The image type is looked at before the colour map.
  ExpectFailure(DecodeTga(name, withData(TgaHeader(1, 1, 2, 2, 8)), true), prefix + "Only 24 and 32bit TGA supported.", kTgaCaption);

  const std::string shortRead = "Couldn't read file \"img/x.tga\".";
  ExpectFailure(DecodeTga(name, TgaHeader(0, 2, 4, 4, 24), true), shortRead, kTgaCaption);
  ExpectFailure(DecodeTga(name, TBytes(10, 0), true), shortRead, kTgaCaption);
  ExpectFailure(DecodeTga(name, withData(TgaHeader(0, 2, 0, 5, 24)), true), shortRead, kTgaCaption);
  ExpectFailure(DecodeTga(name, {}, false), "File not found  - img/x.tga", "TGA Texture");
  ExpectFailure(DecodeImageFile("no/such/folder/x.tga"), "File not found  - no/such/folder/x.tga", "TGA Texture");
}

TEST(ImageDecode, BmpFailuresAndSizesThatAreRefusedBeforeAnyBuffer) {
  const TImage picture = Gradient(4, 2, 3);
  const TBytes good = MakeBmp24(picture);
  ExpectFailure(DecodeBmp("h.bmp", {}, false), "Error opening h.bmp", "BMP Unit");
  ExpectFailure(DecodeImageFile("no/such/h.BMP"), "Error opening no/such/h.BMP", "BMP Unit");

  TBytes palette = good;
  palette[46] = 200;  // 200 bytes to skip, fewer in the file
  ExpectFailure(DecodeBmp("h.bmp", palette, true), "Error reading palette", "BMP Unit");
  const TBytes cut(good.begin(), good.end() - 1);
  ExpectFailure(DecodeBmp("h.bmp", cut, true), "Error reading bitmap data", "BMP Unit");
  ExpectFailure(DecodeBmp("h.bmp", TBytes(good.begin(), good.begin() + 30), true), "Error reading bitmap data", "BMP Unit");

  TBytes huge = good;  // 40000 x 40000 claimed by a file of a few bytes
  huge[18] = huge[22] = 0x40;
  huge[19] = huge[23] = 0x9C;
  ExpectFailure(DecodeBmp("h.bmp", huge, true), "Error reading bitmap data", "BMP Unit");
  TBytes eightBit = good;
  eightBit[28] = 8;
  EXPECT_FALSE(DecodeBmp("h.bmp", eightBit, true).ok);

  EXPECT_TRUE(ImageSizeAcceptable(4096, 4096));
  EXPECT_TRUE(ImageSizeAcceptable(65535, 1));
  EXPECT_FALSE(ImageSizeAcceptable(4097, 4096));
  EXPECT_FALSE(ImageSizeAcceptable(65536, 1));
  EXPECT_FALSE(ImageSizeAcceptable(0, 7));
  EXPECT_FALSE(ImageSizeAcceptable(7, -1));
}

TEST(ImageDecode, JpegGivesOpaqueRgbaBottomRowFirst) {
  TImage picture{8, 16, 3, {}};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool top = y >= 8;  // rows are stored bottom first
      picture.pixels.insert(picture.pixels.end(), {static_cast<std::uint8_t>(top ? 230 : 10), 20,
                                                   static_cast<std::uint8_t>(top ? 10 : 230)});
    }
  }
  const TDecodeResult result = DecodeJpeg("j.jpg", EncodeJpeg(8, 16, TopFirstRgb(picture), 95), true);
  ASSERT_TRUE(result.ok) << result.message;
  ASSERT_EQ(result.image.pixels.size(), 8u * 16 * 4);
  const auto& p = result.image.pixels;
  EXPECT_LT(p[0], 60);                       // bottom row: blue
  EXPECT_GT(p[2], 180);
  EXPECT_GT(p[15 * 8 * 4], 180);             // top row: red
  EXPECT_LT(p[15 * 8 * 4 + 2], 60);
  for (std::size_t i = 3; i < p.size(); i += 4) ASSERT_EQ(p[i], 255);
}

TEST(ImageDecode, JpegFailuresReturnWithTheMessageAtEveryStage) {
  const std::string message = "Couldn't load JPG - \"img/bad.jpg\"";
  ExpectFailure(DecodeJpeg("img/bad.jpg", {}, false), message, "BMP Unit");
  ExpectFailure(DecodeJpeg("img/bad.jpg", {}, true), message, "BMP Unit");
  ExpectFailure(DecodeJpeg("img/bad.jpg", {0xFF, 0xD8, 0x00, 0x13, 0x37}, true), message, "BMP Unit");
  const TImage picture = Gradient(16, 16, 3);
  const TBytes good = EncodeJpeg(16, 16, TopFirstRgb(picture), 80);
  ExpectFailure(DecodeJpeg("img/bad.jpg", TBytes(good.begin(), good.begin() + 20), true), message, "BMP Unit");

  // A four-colour (CMYK) picture has a good header but no conversion to RGB: libjpeg
  // fails while decoding, which must come back as a failed load, not end the program.
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = info.image_height = 8;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(8 * 4, 90);
  for (int y = 0; y < 8; ++y) {
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  const TBytes cmyk(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  ExpectFailure(DecodeJpeg("img/bad.jpg", cmyk, true), message, "BMP Unit");
}

// Shrinking a picture for the far terrain: each pixel the rounded mean of the 2 x 2 it
// covers, in every channel; an odd side keeps its last row or column, averaged with itself.
TEST(ImageShrink, EachPixelIsTheRoundedMeanOfTheTwoByTwoItCovers) {
  TImage image{3, 2, 4, {}};
  image.pixels = {0,   10, 100, 255, 3,  10, 100, 0,  200, 0, 0, 10,   // bottom row
                  1,   10, 100, 255, 2,  11, 100, 0,  100, 0, 0, 30};  // top row
  const TImage half = HalvedImage(image);
  ASSERT_EQ(half.width, 2);
  ASSERT_EQ(half.height, 1);
  ASSERT_EQ(half.channels, 4);
  // (0 + 3 + 1 + 2) / 4 = 1.5 rounds to 2; 41 / 4 = 10.25 to 10; 510 / 4 = 127.5 to 128.
  EXPECT_EQ(std::vector<std::uint8_t>(half.pixels.begin(), half.pixels.begin() + 4),
            (std::vector<std::uint8_t>{2, 10, 100, 128}));
  // The last column alone: (200 + 200 + 100 + 100) / 4 and (10 + 10 + 30 + 30) / 4.
  EXPECT_EQ(std::vector<std::uint8_t>(half.pixels.begin() + 4, half.pixels.end()),
            (std::vector<std::uint8_t>{150, 0, 0, 20}));
  const TImage one = HalvedImage(HalvedImage(half));
  EXPECT_EQ(one.width, 1);
  EXPECT_EQ(one.height, 1);
  EXPECT_TRUE(HalvedImage(one).pixels == one.pixels) << "a single pixel stays";
  EXPECT_TRUE(HalvedImage(TImage{}).pixels.empty());
}

// Where a filtered, repeated picture can show: every texel with an alpha above 0 and its
// neighbours, across the edges too; bands that show nothing are left out.
TEST(ImageShrink, VisibleBandsHoldEveryTexelAFilteredAlphaCanReach) {
  TImage image{16, 12, 4, std::vector<std::uint8_t>(16 * 12 * 4, 0)};
  auto set = [&](int column, int row) { image.pixels[(static_cast<std::size_t>(row) * 16 + column) * 4 + 3] = 200; };
  set(6, 1);   // band 0 (rows 0-3), and band 1 through its lowest row's neighbour
  set(9, 5);   // band 1
  const std::vector<TTexelRect> bands = VisibleBands(image, 4);
  ASSERT_EQ(bands.size(), 2u) << "rows 8 to 11 show nothing";
  EXPECT_EQ(bands[0].row0, 0);
  EXPECT_EQ(bands[0].row1, 4);
  EXPECT_EQ(bands[0].column0, 5);
  EXPECT_EQ(bands[0].column1, 8) << "columns 5 to 7";
  EXPECT_EQ(bands[1].row0, 4);
  EXPECT_EQ(bands[1].column0, 8) << "column 9's neighbour; row 1 lies outside band 1's reach";
  EXPECT_EQ(bands[1].column1, 11);
  // A texel by the top edge reaches the first band, across the edge.
  set(3, 11);
  EXPECT_EQ(VisibleBands(image, 4).size(), 3u);
  EXPECT_EQ(VisibleBands(image, 4)[0].column0, 2);
  // One by a side edge reaches the other side: that band shows at both sides.
  set(15, 9);
  const std::vector<TTexelRect> wrapped = VisibleBands(image, 4);
  ASSERT_EQ(wrapped.size(), 5u);  // the top band: column 15's neighbour 0, around 3, around 15
  EXPECT_EQ(wrapped[2].column0, 0);
  EXPECT_EQ(wrapped[2].column1, 1);
  EXPECT_EQ(wrapped[3].column0, 2);
  EXPECT_EQ(wrapped[4].column0, 14);
  EXPECT_EQ(wrapped[4].column1, 16);
  // Two texels far apart in one band are two runs, the clear columns between left out.
  set(12, 2);
  const std::vector<TTexelRect> apart = VisibleBands(image, 4);
  EXPECT_EQ(apart[1].row0, 0);
  EXPECT_EQ(apart[1].column0, 11);
  EXPECT_EQ(apart[1].column1, 14);
  // Without alpha the picture shows whole.
  const std::vector<TTexelRect> opaque = VisibleBands(TImage{5, 3, 3, std::vector<std::uint8_t>(45, 9)}, 4);
  ASSERT_EQ(opaque.size(), 1u);
  EXPECT_EQ(opaque[0].column1, 5);
  EXPECT_EQ(opaque[0].row1, 3);
}
