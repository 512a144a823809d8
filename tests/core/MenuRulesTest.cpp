#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/MenuRules.h"
#include "frontend/MenuTables.h"

namespace {

TBouton Button(double x, double y, double w, double h) {
  TBouton b;
  b.x = x;
  b.y = y;
  b.width = w;
  b.height = h;
  b.inactiveTexture = 1;
  b.focusTexture = 2;
  b.activeTexture = 3;
  return b;
}

// One frame of a panel's button: the state the mouse gives, then the flag and picture.
struct TFrame {
  int state;
  std::uint32_t texture;
};
TFrame Frame(TBouton& b, int x, int y, bool down) {
  int state = PanelButtonState(b, x, y, down, 1024, 768);
  return {state, ApplyButtonState(b, state)};
}

}  // namespace

TEST(MenuHitTest, WindowPixelsConvertToVirtualUnitsRoundingHalvesToEven) {
  EXPECT_EQ(ToVirtual(512, 1024, 800), 400);
  EXPECT_EQ(ToVirtual(384, 768, 600), 300);
  EXPECT_EQ(ToVirtual(16, 1024, 800), 12);  // 12.5
  EXPECT_EQ(ToVirtual(48, 1024, 800), 38);  // 37.5
  EXPECT_EQ(ToVirtual(1023, 1024, 800), 799);
  // The size the panel was given decides, not the 1024 x 768 the game asks for.
  EXPECT_EQ(ToVirtual(640, 1280, 800), 400);
}

TEST(MenuHitTest, EdgesCountAsInsideAndFillersStayOutOfReach) {
  TBouton one = Button(51, 197, 250, 90);  // main menu, one player
  // Pixel 65 is virtual 51 (the left edge), pixel 64 is 50.
  EXPECT_EQ(PanelButtonState(one, 65, 300, false, 1024, 768), kButtonHover);
  EXPECT_EQ(PanelButtonState(one, 64, 300, false, 1024, 768), kButtonOutside);
  EXPECT_EQ(PanelButtonState(one, 385, 367, false, 1024, 768), kButtonHover);  // 301, 287
  EXPECT_EQ(PanelButtonState(one, 387, 367, false, 1024, 768), kButtonOutside);
  EXPECT_EQ(PanelButtonState(one, 200, 300, true, 1024, 768), kButtonHeld);

  TBouton hidden = Button(-1, -1, 0, 0);
  TBouton corner = Button(0, 0, 0, 0);
  for (int x : {0, 1, 2}) {
    EXPECT_EQ(PanelButtonState(hidden, x, 0, false, 1024, 768), kButtonOutside);
  }
  EXPECT_EQ(PanelButtonState(corner, 0, 0, false, 1024, 768), kButtonHover);
  EXPECT_EQ(PanelButtonState(corner, 1, 0, false, 1024, 768), kButtonOutside);
}

// The faces fill the window's height at 4:3, with bars beside them on a wide screen and
// their sides cropped on a narrower one: a click hits the button drawn under it.
TEST(MenuHitTest, OnOtherWindowShapesTheClickHitsTheButtonDrawnUnderIt) {
  TBouton one = Button(51, 197, 250, 90);  // main menu, one player
  // 1920 x 1080: the face is 1440 wide from x = 240, 1.8 pixels a unit.
  EXPECT_EQ(FaceVirtualX(240, 1920, 1080), 0);
  EXPECT_EQ(FaceVirtualX(1680, 1920, 1080), 800);
  EXPECT_EQ(PanelButtonState(one, 557, 436, false, 1920, 1080), kButtonHover);
  EXPECT_EQ(PanelButtonState(one, 300, 436, false, 1920, 1080), kButtonOutside);
  EXPECT_EQ(PanelButtonState(Button(0, 0, 800, 600), 100, 436, false, 1920, 1080),
            kButtonOutside)
      << "the bar beside the face holds no button";
  // 1280 x 1024: the face is 1365 wide and starts 43 pixels left of the window.
  EXPECT_EQ(FaceVirtualX(0, 1280, 1024), 25);
  EXPECT_EQ(FaceVirtualX(640, 1280, 1024), 400);
  // 4:3 windows keep the plain scale.
  for (int x : {0, 65, 511, 1023}) EXPECT_EQ(FaceVirtualX(x, 1024, 768), ToVirtual(x, 1024, 800));
}

TEST(MenuHitTest, AClickNeedsPressAndReleaseOverTheSameButton) {
  TBouton b = Button(400, 300, 100, 100);  // pixels 512..640, 384..512
  // Pressed elsewhere, dragged on, released on it: a click.
  EXPECT_EQ(Frame(b, 100, 100, true).state, kButtonOutside);
  TFrame held = Frame(b, 550, 450, true);
  EXPECT_EQ(held.state, kButtonHeld);
  EXPECT_EQ(held.texture, 3u);
  EXPECT_TRUE(b.pressed);
  TFrame click = Frame(b, 550, 450, false);
  EXPECT_EQ(click.state, kButtonReleased);
  EXPECT_EQ(click.texture, 2u);
  EXPECT_FALSE(b.pressed);
  // Resting over it afterwards is only a hover.
  EXPECT_EQ(Frame(b, 550, 450, false).state, kButtonHover);

  // Pressed on it, dragged off, released outside: no click, even back over it later.
  Frame(b, 550, 450, true);
  TFrame off = Frame(b, 100, 100, true);
  EXPECT_EQ(off.texture, 1u);
  EXPECT_FALSE(b.pressed);
  Frame(b, 100, 100, false);
  EXPECT_EQ(Frame(b, 550, 450, false).state, kButtonHover);
}

TEST(MenuHitTest, OverlayButtonsUseCentredPixelsWithTheTopEdgeAsY) {
  TBouton back = Button((322 - 400) * 1.28, (300 - 487) * 1.28, 156 * 1.28, 99 * 1.28);
  // Virtual (400, 536) is the middle of the back-to-race button: pixels (512, 686).
  EXPECT_EQ(OverlayButtonStateAt(back, 512, 686, false, 1024, 768), kButtonHover);
  EXPECT_EQ(OverlayButtonStateAt(back, 512, 686, true, 1024, 768), kButtonHeld);
  back.pressed = true;
  EXPECT_EQ(OverlayButtonStateAt(back, 512, 686, false, 1024, 768), kButtonReleased);
  EXPECT_EQ(OverlayButtonStateAt(back, 512, 600, false, 1024, 768), kButtonOutside);
  EXPECT_EQ(OverlayButtonStateAt(back, 400, 686, false, 1024, 768), kButtonOutside);
}

TEST(MenuLayout, ThePanelsFaceFollowsTheLengthOfItsButtonArray) {
  EXPECT_EQ(FaceAngleFor(3), 90.0);
  EXPECT_EQ(FaceAngleFor(5), 90.0);
  EXPECT_EQ(FaceAngleFor(4), 0.0);
  EXPECT_EQ(FaceAngleFor(7), 0.0);
  EXPECT_EQ(FaceAngleFor(6), -90.0);
  EXPECT_EQ(FaceAngleFor(8), -90.0);
  EXPECT_EQ(FaceAngleFor(2), 0.0);
  EXPECT_EQ(FaceAngleFor(9), 0.0);
  // The game's screens land where the camera looks for them.
  EXPECT_EQ(FaceAngleFor(MainButtonLayouts().size()), 0.0);
  EXPECT_EQ(FaceAngleFor(TwoPlayersButtonLayouts().size()), 0.0);
  EXPECT_EQ(FaceAngleFor(OnePlayerButtonLayouts().size()), 90.0);
  EXPECT_EQ(FaceAngleFor(TrackButtonLayouts().size()), 90.0);
  // Nine buttons (the ninth opens the controls screen) would put the options in front: the
  // menu keeps them on the left face itself, which the GL menu tests check.
  EXPECT_EQ(OptionsButtonLayouts().size(), 9u);
  EXPECT_EQ(FaceAngleFor(LoadButtonLayouts().size()), -90.0);
}

TEST(MenuLayout, FillersHaveNoPicturesAndEveryOtherButtonHasAll) {
  for (auto layouts : {MainButtonLayouts(), OnePlayerButtonLayouts(), TwoPlayersButtonLayouts(),
                     OptionsButtonLayouts(), LoadButtonLayouts(), TrackButtonLayouts()}) {
    for (const TButtonLayout& layout : layouts) {
      bool filler = layout.width == 0 && layout.height == 0;
      EXPECT_EQ(layout.inactive == nullptr, filler);
      EXPECT_EQ(layout.focus == nullptr, filler);
      EXPECT_EQ(layout.active == nullptr, filler);
    }
  }
  EXPECT_STREQ(OnePlayerButtonLayouts()[0].inactive,
               "img/boutons/1Player/Time Attack/inactive.tga");
  EXPECT_STREQ(TrackHeightmaps().back(), "track_data/random.bmp");
  EXPECT_EQ(TrackHeightmaps().size(), 6u);
}

TEST(MenuNavigation, EachFaceButtonLeadsWhereItSays) {
  EXPECT_EQ(FaceStep(kMainScreen, 0), TMenuStep::TurnToOnePlayer);
  EXPECT_EQ(FaceStep(kMainScreen, 1), TMenuStep::OpenTwoPlayers);
  EXPECT_EQ(FaceStep(kMainScreen, 2), TMenuStep::TurnToOptions);
  EXPECT_EQ(FaceStep(kMainScreen, 3), TMenuStep::Quit);
  EXPECT_EQ(FaceStep(kOnePlayerScreen, 0), TMenuStep::OpenTrackChooser);
  EXPECT_EQ(FaceStep(kOnePlayerScreen, 1), TMenuStep::StartStory);
  EXPECT_EQ(FaceStep(kOnePlayerScreen, 2), TMenuStep::TurnBackToMain);
  const TMenuStep options[] = {TMenuStep::None,      TMenuStep::MusicDown,
                               TMenuStep::MusicUp,   TMenuStep::None,
                               TMenuStep::EffectsOff, TMenuStep::EffectsOn,
                               TMenuStep::OpenLoadScreen, TMenuStep::TurnBackToMain};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(FaceStep(kOptionsScreen, i), options[i]) << i;
  EXPECT_EQ(FaceStep(kOptionsScreen, kOptionsControls), TMenuStep::OpenControls);
  // No click, or a click on a face that is not in the box, does nothing.
  for (int screen : {kMainScreen, kOnePlayerScreen, kOptionsScreen}) {
    EXPECT_EQ(FaceStep(screen, -1), TMenuStep::None);
  }
  EXPECT_EQ(FaceStep(4, 0), TMenuStep::None);
}

TEST(MenuNavigation, NestedScreensNameTheModeTheirButtonsStart) {
  EXPECT_EQ(TwoPlayersChoice(0), "LAN");
  EXPECT_EQ(TwoPlayersChoice(1), "LOCAL");
  EXPECT_EQ(TwoPlayersChoice(kTwoPlayersBack), "");
  EXPECT_EQ(TwoPlayersChoice(3), "");
  EXPECT_EQ(LoadScreenChoice(0), "SLOT1");
  EXPECT_EQ(LoadScreenChoice(1), "SLOT2");
  EXPECT_EQ(LoadScreenChoice(2), "SLOT3");
  EXPECT_EQ(LoadScreenChoice(kLoadBack), "");
  EXPECT_EQ(LoadScreenChoice(4), "SLOT0");
  EXPECT_EQ(LoadScreenChoice(5), "");
}

TEST(MenuNavigation, MusicStepsByFiveWithinItsBoundsAndOneClickIsOneStep) {
  std::vector<int> down;
  int music = 255;
  for (int i = 0; i < 60; ++i) down.push_back(music = MusicVolumeDown(music));
  EXPECT_EQ(down[0], 250);
  EXPECT_EQ(down[1], 245);
  EXPECT_EQ(down[50], 0);
  EXPECT_EQ(down.back(), 0);
  for (int i = 0; i < 60; ++i) music = MusicVolumeUp(music);
  EXPECT_EQ(music, 255);
  EXPECT_EQ(MusicVolumeUp(253), 255);  // never past the top, even off the grid of fives
  EXPECT_EQ(MusicVolumeDown(3), 0);
}

TEST(MenuNavigation, TrackArrowsWrapAroundTheList) {
  EXPECT_EQ(PreviousTrack(0, 6), 5);
  EXPECT_EQ(PreviousTrack(3, 6), 2);
  EXPECT_EQ(NextTrack(5, 6), 0);
  EXPECT_EQ(NextTrack(2, 6), 3);
  EXPECT_EQ(PreviousTrack(0, 1), 0);
  EXPECT_EQ(NextTrack(0, 1), 0);
}

TEST(MenuThumbnail, TheLongerSideFillsTheBoxAndTheOtherIsCentred) {
  TThumbRect square = FitThumbnail(256, 256);
  EXPECT_DOUBLE_EQ(square.left, 437);
  EXPECT_DOUBLE_EQ(square.top, 240);
  EXPECT_DOUBLE_EQ(square.width, 183);
  EXPECT_DOUBLE_EQ(square.height, 183);
  TThumbRect wide = FitThumbnail(256, 128);
  EXPECT_DOUBLE_EQ(wide.width, 183);
  EXPECT_DOUBLE_EQ(wide.height, 91.5);
  EXPECT_DOUBLE_EQ(wide.left, 437);
  EXPECT_DOUBLE_EQ(wide.top, 240 + 45.75);
  TThumbRect tall = FitThumbnail(64, 128);
  EXPECT_DOUBLE_EQ(tall.width, 91.5);
  EXPECT_DOUBLE_EQ(tall.height, 183);
  EXPECT_DOUBLE_EQ(tall.left, 437 + 45.75);
  EXPECT_DOUBLE_EQ(tall.top, 240);
  // Small pictures are scaled up the same way; a missing one fills the box.
  TThumbRect tiny = FitThumbnail(1, 1);
  EXPECT_DOUBLE_EQ(tiny.width, 183);
  TThumbRect none = FitThumbnail(0, 0);
  EXPECT_DOUBLE_EQ(none.width, 183);
  EXPECT_DOUBLE_EQ(none.height, 183);
}

TEST(MenuTiming, AFadeTakesAtLeastSevenTenthsOfASecondHoweverFastTheFrames) {
  for (std::uint32_t frameMs : {1u, 3u, 7u, 16u, 40u}) {
    std::uint32_t now = 5000;
    TStepTimer timer(now, kFadeStepMs);
    double alpha = 0.0;
    int frames = 0;
    while (alpha <= 1.0) {
      if (timer.Due(now)) alpha += kFadeStep;
      now += frameMs;
      ++frames;
    }
    EXPECT_GE(now - 5000, 700u) << frameMs;
    EXPECT_GE(frames, 101);
  }
}

TEST(MenuTiming, TheIrisTakes112StepsOfAtLeastTenMilliseconds) {
  double size = 1.0;
  int steps = 0;
  while (size <= kIrisEnd) {
    size = IrisGrow(size);
    ++steps;
  }
  EXPECT_EQ(steps, 112);
  std::uint32_t now = 0;
  TStepTimer timer(now, kIrisStepMs);
  size = 1.0;
  while (size <= kIrisEnd) {
    ++now;  // a frame a millisecond
    if (timer.Due(now)) size = IrisGrow(size);
  }
  EXPECT_GE(now, 1120u);
  EXPECT_LT(now, 1130u);
}

TEST(MenuTiming, TheStepTimerSurvivesTheTickCountWrapping) {
  TStepTimer timer(0xFFFFFFFBu, 7);
  EXPECT_FALSE(timer.Due(0xFFFFFFFFu));
  EXPECT_TRUE(timer.Due(2));  // 7 ms later across the wrap
  EXPECT_FALSE(timer.Due(8));
}
