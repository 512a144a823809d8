// Writing the pictures out, the proof sheet, and the lettering helpers.
#include <gtest/gtest.h>

#include <cairo/cairo.h>

#include <filesystem>
#include <string>

#include "assets/Image.h"
#include "tools/pictures/Canvas.h"
#include "tools/pictures/ContactSheet.h"
#include "tools/pictures/PictureOutput.h"
#include "tools/pictures/Style.h"
#include "tools/writers/ByteWriter.h"

namespace {

namespace fs = std::filesystem;

// 8 x 4 picture: the top row red, the bottom row blue, the rest half-transparent green.
TPicture Stripes() {
  TPicture picture{8, 4, std::vector<std::uint8_t>(8 * 4 * 4), 0};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      std::uint8_t* p = &picture.rgba[(y * 8 + x) * 4];
      p[0] = y == 0 ? 255 : 0;
      p[1] = y == 1 || y == 2 ? 255 : 0;
      p[2] = y == 3 ? 255 : 0;
      p[3] = y == 1 || y == 2 ? 128 : 255;
    }
  return picture;
}

fs::path FreshFolder(const std::string& name) {
  const fs::path folder = fs::path(testing::TempDir()) / name;
  fs::remove_all(folder);
  return folder;
}

// Columns holding any ink in a canvas's picture.
void InkSpan(const TPicture& picture, int& first, int& last) {
  first = picture.width;
  last = -1;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.rgba[(y * picture.width + x) * 4 + 3] > 0) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
}

}  // namespace

TEST(PictureOutput, TgaFilesKeepAlphaAndStandTheRightWayUpForTheLoader) {
  const fs::path root = FreshFolder("velmora_output_tga");
  TPictureOutput out(root.string(), false);
  out.Tga("a/raw.tga", Stripes(), TTgaPacking::Raw);
  out.Tga("a/b/packed.tga", Stripes(), TTgaPacking::Rle);
  ASSERT_TRUE(out.Failures().empty());
  ASSERT_EQ(out.Written().size(), 2u);
  EXPECT_EQ(out.Written()[1].path, "a/b/packed.tga");
  EXPECT_EQ(out.Written()[1].picture.width, 0);  // no copies kept unless asked
  for (const char* name : {"a/raw.tga", "a/b/packed.tga"}) {
    const TDecodeResult decoded = DecodeImageFile((root / name).string());
    ASSERT_TRUE(decoded.ok) << name;
    ASSERT_EQ(decoded.image.channels, 4);
    const std::uint8_t* bottom = &decoded.image.pixels[0];  // the loader's first row is the bottom
    const std::uint8_t* top = &decoded.image.pixels[3 * 8 * 4];
    const std::uint8_t* middle = &decoded.image.pixels[1 * 8 * 4];
    EXPECT_EQ(bottom[2], 255) << name;
    EXPECT_EQ(top[0], 255) << name;
    EXPECT_EQ(middle[1], 255) << name;
    EXPECT_EQ(middle[3], 128) << name;
  }
  fs::remove_all(root);
}

TEST(PictureOutput, JpegFilesAreOpaqueAndFailuresAreListed) {
  const fs::path root = FreshFolder("velmora_output_jpeg");
  ASSERT_TRUE(WriteBytesToFile((root / "taken").string(), {0}));
  TPictureOutput out(root.string(), true);
  out.Jpeg("pictures/stripes.jpg", Stripes());
  out.Jpeg("taken/cannot.jpg", Stripes());
  ASSERT_EQ(out.Failures().size(), 1u);
  EXPECT_EQ(out.Failures()[0], "taken/cannot.jpg");
  EXPECT_EQ(out.Written()[0].picture.width, 8);  // kept for the proof sheet
  const TDecodeResult decoded = DecodeImageFile((root / "pictures/stripes.jpg").string());
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.image.width, 8);
  EXPECT_EQ(decoded.image.height, 4);
  for (std::size_t i = 3; i < decoded.image.pixels.size(); i += 4) EXPECT_EQ(decoded.image.pixels[i], 255);
  fs::remove_all(root);
}

TEST(ContactSheet, LaysOutTheChosenPicturesOrRefusesWhenNoneMatch) {
  const fs::path root = FreshFolder("velmora_sheet");
  fs::create_directories(root);
  std::vector<TWrittenPicture> pictures{{"img/a.tga", Stripes()}, {"img/b.tga", Stripes()}, {"tex/c.jpg", Stripes()}};
  const std::string png = (root / "sheet.png").string();
  EXPECT_FALSE(WriteContactSheet(pictures, "sounds/", png, 100));
  EXPECT_FALSE(fs::exists(png));
  ASSERT_TRUE(WriteContactSheet(pictures, "img/", png, 100));
  cairo_surface_t* sheet = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_surface_status(sheet), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(sheet), 200);  // two pictures: two cells side by side
  EXPECT_EQ(cairo_image_surface_get_height(sheet), 100);
  cairo_surface_destroy(sheet);
  fs::remove_all(root);
}

TEST(PictureLettering, CentredTextShrinksToTheWidthItIsGiven) {
  TTextStyle style;
  style.size = 40;
  {
    TCanvas canvas(400, 100, 400, 100);
    DrawText(canvas.Cr(), "Two players", 200, 50, style);
    int first, last;
    InkSpan(canvas.Take(TEdge::Soft), first, last);
    EXPECT_NEAR((first + last) / 2.0, 200, 3);
    EXPECT_GT(last - first, 120);  // full size: wider than the limit below
  }
  style.maxWidth = 100;
  TCanvas canvas(400, 100, 400, 100);
  DrawText(canvas.Cr(), "Two players", 200, 50, style);
  int first, last;
  InkSpan(canvas.Take(TEdge::Soft), first, last);
  EXPECT_LE(last - first, 102);
  EXPECT_GT(last - first, 80);
  EXPECT_NEAR((first + last) / 2.0, 200, 3);
}
