// Presses belong to the screen that sees them: an Escape or a click made on one screen
// (or while nothing was reading) never acts on a later one, and a tap shorter than a
// frame is seen once.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "frontend/Umenu.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

constexpr int kSettle = 116;  // frames for any transition to end

void Click(TScriptedPlatform& p, std::span<const TButtonLayout> (*screen)(), int button) {
  Click(p, screen()[static_cast<std::size_t>(button)], kSettle);
}

void PointAt(TScriptedPlatform& p, std::span<const TButtonLayout> (*screen)(), int button) {
  const TButtonLayout& b = screen()[static_cast<std::size_t>(button)];
  p.input.mouseX = PixelX(b.x + b.width / 2);
  p.input.mouseY = PixelY(b.y + b.height / 2);
}

// Escape held as a person holds it: the screen leaves on the first frame, the key stays
// down for about a third of a second.
void QueueHeldEscape(TScriptedPlatform& p) {
  p.QueueKey(wnd::KEY_ESC, 20);
  p.QueueIdle(10);
}

struct TNested {
  std::string name;
  std::vector<std::pair<std::span<const TButtonLayout> (*)(), int>> way;  // clicks to it
  const char* picture;
  std::pair<double, double> spot;  // a place of the picture no button covers
};

}  // namespace

// Each nested screen: left with a held Escape, then with a tap shorter than a frame, and
// an Escape tapped on the face where nothing reads it; every time it is opened again, it
// stays open.
TEST(InputPress, ANestedScreenOpenedAgainAfterEscapeStaysOpen) {
  const std::vector<TNested> screens = {
      {"two players", {{MainButtonLayouts, 1}}, kTwoPlayersPicture, {0.5, 0.6}},
      {"load", {{MainButtonLayouts, 2}, {OptionsButtonLayouts, 6}}, kLoadBackground, {0.05, 0.95}},
      {"chooser",
       {{MainButtonLayouts, 0}, {OnePlayerButtonLayouts, 0}},
       kTrackChooserPicture,
       {0.05, 0.95}},
  };
  for (const TNested& screen : screens) {
    SCOPED_TRACE(screen.name);
    TScriptedPlatform& p = FreshGlPlatform();
    TMenu menu(1024, 768);
    TScriptCheckpoints checks(p);
    auto open = [&] {
      for (const auto& [layouts, button] : screen.way) Click(p, layouts, button);
    };
    auto shown = [&] {
      checks.Here([&] { ExpectPictureShown(screen.picture, {}, {screen.spot}, screen.name); });
    };
    auto reopen = [&] {
      Click(p, screen.way.back().first, screen.way.back().second);
      shown();
    };
    open();
    shown();
    QueueHeldEscape(p);
    reopen();
    p.QueueTap(wnd::KEY_ESC, 10);  // leaves at once
    p.QueueTap(wnd::KEY_ESC, 10);  // on the face: nothing reads it
    reopen();
    p.QueueTap(wnd::KEY_ESC, 10);
    checks.Arm();
    const long limit = p.maxSwaps;
    p.maxSwaps = p.swaps + static_cast<long>(p.QueuedFrames()) + 2;
    std::string result = "stale";
    try {
      menu.RunMenu(result);
    } catch (const TFrameLimitReached&) {
      // The menu waits on its face once the script is done.
    }
    p.maxSwaps = limit;
    EXPECT_EQ(checks.Ran(), 3);
    EXPECT_EQ(result, "");
  }
}

// A click made while nothing read the button (during a race or its end sequence) is
// still pending when the menu starts; it must not fire there. Nor does a button held from
// before and released over a button of the menu.
TEST(InputPress, ClicksFromBeforeTheMenuDoNotFireOnIt) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  PointAt(p, MainButtonLayouts, 2);  // over Options
  p.TapButton();
  p.TapButton();
  p.input.button = true;  // and held into the menu
  TScriptCheckpoints checks(p);
  TInputState held{{}, p.input.mouseX, p.input.mouseY, true};
  p.Queue(held, 3);
  p.QueueIdle(kSettle);
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kMainScreen); });
  Click(p, MainButtonLayouts, 3);  // quit
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 1);
}

// A click begun and ended between two frames is a click, once.
TEST(InputPress, AClickShorterThanAFrameIsSeenOnce) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  TScriptCheckpoints checks(p);
  const TButtonLayout& options = MainButtonLayouts()[2];
  // The pointer leaves at once, as after `xdotool click`: the click was made on the button.
  p.QueueTapClick(PixelX(options.x + options.width / 2), PixelY(options.y + options.height / 2),
                  1);
  p.Queue(TInputState{{}, 2, 2, false}, kSettle);
  checks.Here([&] { EXPECT_EQ(menu.Screen(), kOptionsScreen); });
  // The options face's back button lies elsewhere: a second look at the same tap would
  // not show, so go back and quit by ordinary clicks.
  Click(p, OptionsButtonLayouts, 7);
  Click(p, MainButtonLayouts, 3);
  checks.Arm();
  std::string result;
  menu.RunMenu(result);
  EXPECT_EQ(result, "exit");
  EXPECT_EQ(checks.Ran(), 1);
}

// The story's iris is cut by an Escape pressed while it grows, not by one pending from the
// face that started it.
TEST(InputPress, TheIrisIsCutOnlyByAnEscapePressedWhileItGrows) {
  TScriptedPlatform& p = FreshGlPlatform();
  TMenu menu(1024, 768);
  const TMenu::TPictures& pictures = menu.Pictures();
  p.Tap(wnd::KEY_ESC);
  p.swaps = 0;
  menu.IrisWipe(menu.Lists().onePlayer, true, pictures.stencil, menu.LoadingPicture(), false);
  EXPECT_EQ(p.swaps, 113);  // grown to its end

  p.QueueIdle(5);
  p.QueueTap(wnd::KEY_ESC, 5);
  p.swaps = 0;
  menu.IrisWipe(menu.Lists().onePlayer, true, pictures.stencil, menu.LoadingPicture(), false);
  EXPECT_EQ(p.swaps, 6);
}
