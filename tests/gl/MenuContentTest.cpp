// The menu with pieces of its content missing: it says what is missing and still works.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "frontend/Umenu.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

bool Mentions(const TScriptedPlatform& p, const std::string& text) {
  for (const auto& message : p.messages) {
    if (message.first.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST(MenuContent, MissingPicturesAndHeightmapsAreNamedAndTheMenuStillWorks) {
  TContentWithout content({"img/menu_bckgrnd.jpg", "img/boutons/main/Quit/inactive.tga",
                           "track_data/ridezi.bmp", "track_data/random.bmp"});
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  // Each missing file once, named; the tracks say what became of them.
  EXPECT_EQ(p.messages.size(), 4u);
  for (const char* name : {"img/menu_bckgrnd.jpg", "img/boutons/main/Quit/inactive.tga",
                           "track_data/ridezi.bmp", "track_data/random.bmp"}) {
    EXPECT_TRUE(Mentions(p, name)) << name;
  }
  EXPECT_EQ(menu.MainPanel().BackgroundTexture(), 0u);
  EXPECT_EQ(menu.Pictures().main, 0u);

  const T_Tab_TrackFile& tracks = menu.TrackFiles();
  ASSERT_EQ(tracks.size(), 5u);
  for (const T_TrackFile& t : tracks) EXPECT_NE(t.heightmapName, "track_data/ridezi.bmp");
  EXPECT_EQ(tracks[1].heightmapName, "track_data/large.bmp");
  const T_TrackFile& random = tracks.back();
  EXPECT_EQ(random.heightmapName, "track_data/random.bmp");
  EXPECT_EQ(random.width, 1);
  EXPECT_EQ(random.height, 1);
  EXPECT_EQ(random.previewTexture, 0u);
  EXPECT_EQ(random.trackFileName, "");

  // The main face is a plain white quad, the random track's thumbnail a white box; the
  // quit button without its picture still quits.
  TScriptCheckpoints checks(p);
  const TRgb white{255, 255, 255};
  p.QueueIdle(3);
  checks.Here([&] { EXPECT_TRUE(Near(PresentedAverage(20, 384), white, 2)); });
  Click(p, MainButtonLayouts()[0]);
  Click(p, OnePlayerButtonLayouts()[0]);
  Click(p, TrackButtonLayouts()[kTrackPrevious], 3);
  checks.Here([&] {
    EXPECT_EQ(menu.TrackIndex(), 4);
    EXPECT_TRUE(Near(PresentedAverage(PixelX(kThumbLeft + 5), PixelY(kThumbTop + 5)), white, 2));
    EXPECT_TRUE(Near(PresentedAverage(PixelX(kThumbLeft + kThumbSide - 5),
                                      PixelY(kThumbTop + kThumbSide - 5)),
                     white, 2));
  });
  Click(p, TrackButtonLayouts()[kTrackBack]);
  Click(p, OnePlayerButtonLayouts()[2]);
  Click(p, MainButtonLayouts()[3]);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 2);
}
