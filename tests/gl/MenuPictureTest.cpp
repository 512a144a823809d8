// What the faces show: the content's pictures in their places, read back from the frames
// the menu presents.
#include <gtest/gtest.h>

#include <string>

#include "frontend/Umenu.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

// A button's picture, where its table puts it.
int ExpectButton(const TButtonLayout& b, const char* picture, const std::string& label) {
  return ExpectPictureShown(picture, VirtualRect(b.x, b.y, b.width, b.height),
                            {{0.15, 0.5}, {0.85, 0.5}}, label);
}

// The selected track's heightmap fitted into the chooser's box.
int ExpectThumbnail(const T_TrackFile& track, const std::string& label) {
  TThumbRect r = FitThumbnail(track.width, track.height);
  auto spots = PictureSpots(track.heightmapName, VirtualRect(r.left, r.top, r.width, r.height),
                            {{0.3, 0.3}, {0.5, 0.5}, {0.7, 0.7}, {0.3, 0.7}, {0.7, 0.3},
                             {0.2, 0.5}, {0.8, 0.5}},
                            true);
  EXPECT_GE(spots.size(), 3u) << label << ": too few even places in " << track.heightmapName;
  return ExpectSpotsPresented(spots, label) >= 3 ? 3 : 0;
}

}  // namespace

TEST(MenuPictures, TheMainFaceTheOnePlayerFaceAndTheChoosersThumbnailShowTheirPictures) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  const auto main = MainButtonLayouts();
  const auto one = OnePlayerButtonLayouts();
  const auto track = TrackButtonLayouts();

  p.QueueIdle(3);
  checks.Here([&] {
    EXPECT_EQ(ExpectPictureShown(kMainBackground, {}, {{0.03, 0.97}, {0.02, 0.5}, {0.6, 0.45}},
                                 "main face"),
              3);
    for (int i = 0; i < 4; ++i) {
      ExpectButton(main[i], main[i].inactive, "main button " + std::to_string(i));
    }
  });
  Click(p, main[0]);
  checks.Here([&] {
    EXPECT_EQ(menu.Screen(), kOnePlayerScreen);
    EXPECT_EQ(ExpectPictureShown(kOnePlayerBackground, {}, {{0.05, 0.95}, {0.3, 0.4}},
                                 "one-player face"),
              2);
    for (int i = 0; i < 3; ++i) {
      ExpectButton(one[i], one[i].inactive, "one-player button " + std::to_string(i));
    }
  });
  Click(p, one[0]);
  checks.Here([&] { EXPECT_EQ(ExpectThumbnail(menu.TrackFiles()[0], "first track"), 3); });
  Click(p, track[kTrackPrevious], 3);
  checks.Here([&] { EXPECT_EQ(ExpectThumbnail(menu.TrackFiles()[5], "random track"), 3); });
  Click(p, track[kTrackNext], 3);
  Click(p, track[kTrackNext], 3);
  checks.Here([&] {
    const T_TrackFile& wide = menu.TrackFiles()[1];
    ASSERT_GT(wide.width, wide.height);
    EXPECT_EQ(ExpectThumbnail(wide, "wide track"), 3);
    // Above and below the wide picture the box shows the chooser's picture.
    TThumbRect r = FitThumbnail(wide.width, wide.height);
    auto spots = PictureSpots(kTrackChooserPicture, {},
                              {{(r.left + r.width / 2) / 800, 1 - (kThumbTop + 8) / 600}});
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_LT(spots[0].y, PixelY(r.top));
    EXPECT_GT(spots[0].y, PixelY(kThumbTop));
    EXPECT_EQ(ExpectSpotsPresented(spots, "above the wide track"), 1);
  });
  Click(p, track[kTrackBack]);
  Click(p, one[2]);
  Click(p, main[3]);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 5);
}
