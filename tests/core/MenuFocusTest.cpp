// Where the arrows take the focus on the real screens' layouts, and how a dial steps.
#include <gtest/gtest.h>

#include <span>

#include "frontend/MenuFocus.h"
#include "frontend/MenuRules.h"
#include "frontend/MenuTables.h"

namespace {

TTab_bouton FromLayouts(std::span<const TButtonLayout> layouts) {
  TTab_bouton buttons(layouts.size());
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    buttons[i].x = layouts[i].x;
    buttons[i].y = layouts[i].y;
    buttons[i].width = layouts[i].width;
    buttons[i].height = layouts[i].height;
    buttons[i].caption = layouts[i].caption;
  }
  return buttons;
}

using M = TFocusMove;

}  // namespace

TEST(MenuFocus, TheMainMenuIsWalkedDownItsDiagonalAndStopsAtTheEnds) {
  const TTab_bouton main = FromLayouts(MainButtonLayouts());
  EXPECT_EQ(MoveFocus(main, 0, M::Down), 1);
  EXPECT_EQ(MoveFocus(main, 1, M::Down), 2);
  EXPECT_EQ(MoveFocus(main, 2, M::Down), 3);
  EXPECT_EQ(MoveFocus(main, 3, M::Down), 3);  // no wrap: the last stays
  EXPECT_EQ(MoveFocus(main, 0, M::Up), 0);
  EXPECT_EQ(MoveFocus(main, 3, M::Up), 2);
  EXPECT_EQ(MoveFocus(main, 1, M::Right), 2);
  EXPECT_EQ(MoveFocus(main, 1, M::Left), 0);
}

// The row captions are never focused, and rows and columns are followed before diagonals.
TEST(MenuFocus, TheOptionsFocusSkipsTheCaptionsAndFollowsRowsAndColumns) {
  const TTab_bouton options = FromLayouts(OptionsButtonLayouts());
  EXPECT_EQ(FirstFocusable(options), 1);
  EXPECT_EQ(MoveFocus(options, 1, M::Left), 1);  // the caption to its left is passed by
  EXPECT_EQ(MoveFocus(options, 1, M::Right), 2);
  EXPECT_EQ(MoveFocus(options, 1, M::Down), 4);
  EXPECT_EQ(MoveFocus(options, 2, M::Down), 5);
  EXPECT_EQ(MoveFocus(options, 4, M::Down), 6);
  EXPECT_EQ(MoveFocus(options, 6, M::Right), kOptionsControls);
  EXPECT_EQ(MoveFocus(options, kOptionsControls, M::Left), 6);
  EXPECT_EQ(MoveFocus(options, 6, M::Down), 7);
  EXPECT_EQ(MoveFocus(options, kOptionsControls, M::Up), 5);
  // A caption (or nothing) as the start gives the first button.
  EXPECT_EQ(MoveFocus(options, 0, M::Down), 1);
  EXPECT_EQ(MoveFocus(options, -1, M::Down), 1);
}

TEST(MenuFocus, FillersAreNeverFocusedAndTheChooserReachesEveryButton) {
  const TTab_bouton track = FromLayouts(TrackButtonLayouts());
  EXPECT_EQ(MoveFocus(track, kTrackPrevious, M::Right), kTrackNext);
  EXPECT_EQ(MoveFocus(track, kTrackNext, M::Left), kTrackPrevious);
  EXPECT_EQ(MoveFocus(track, kTrackPrevious, M::Down), kTrackOk);
  EXPECT_EQ(MoveFocus(track, kTrackOk, M::Right), kTrackBack);
  EXPECT_EQ(MoveFocus(track, kTrackBack, M::Up), kTrackNext);
  const TTab_bouton two = FromLayouts(TwoPlayersButtonLayouts());
  EXPECT_EQ(MoveFocus(two, 0, M::Up), kTwoPlayersBack);
  EXPECT_EQ(MoveFocus(two, kTwoPlayersBack, M::Down), 0);
  EXPECT_EQ(MoveFocus(two, 0, M::Right), 1);
  const TTab_bouton load = FromLayouts(LoadButtonLayouts());
  for (int from = 0; from < 5; ++from) {
    for (M move : {M::Up, M::Down, M::Left, M::Right}) EXPECT_NE(MoveFocus(load, from, move), 5);
  }
  EXPECT_EQ(MoveFocus(load, 2, M::Down), 4);
  EXPECT_EQ(MoveFocus(load, 0, M::Down), kLoadBack);
}

TEST(MenuFocus, ADialStepsOneNotchAPressWithinItsRange) {
  EXPECT_EQ(DialLevelUp(0), 8);
  EXPECT_EQ(DialLevelUp(255), 256);  // the menu's full volume reaches the last notch
  EXPECT_EQ(DialLevelUp(256), 256);
  EXPECT_EQ(DialLevelDown(255), 248);
  EXPECT_EQ(DialLevelDown(256), 248);
  EXPECT_EQ(DialLevelDown(8), 0);
  EXPECT_EQ(DialLevelDown(0), 0);
  EXPECT_EQ(DialLevelDown(13), 8);
  EXPECT_EQ(DialLevelUp(13), 16);
  EXPECT_EQ(NotchesFor(DialLevelDown(256)), 31);
}

// A held direction repeats only after the pause, then once per interval, a slow frame
// catching up; a release, or a turn the other way, starts a new hold.
TEST(MenuFocus, AHeldDialKeyRepeatsAfterAPauseAtASteadyPace) {
  THeldRepeat repeat;
  EXPECT_EQ(repeat.Steps(1, 1000), 0);  // the press turns the dial itself
  EXPECT_EQ(repeat.Steps(1, 1399), 0);
  EXPECT_EQ(repeat.Steps(1, 1400), 1);
  EXPECT_EQ(repeat.Steps(1, 1449), 0);
  EXPECT_EQ(repeat.Steps(1, 1560), 3);  // 1450, 1500 and 1550
  EXPECT_EQ(repeat.Steps(0, 1570), 0);  // released
  EXPECT_EQ(repeat.Steps(1, 1580), 0);
  EXPECT_EQ(repeat.Steps(1, 1979), 0);  // a new hold waits again
  EXPECT_EQ(repeat.Steps(-1, 2000), 0);
  EXPECT_EQ(repeat.Steps(-1, 2400), 1);
  // From silent to full, the press and 31 repeats, in under two seconds.
  THeldRepeat full;
  EXPECT_EQ(full.Steps(1, 0), 0);
  EXPECT_EQ(full.Steps(1, 1900), 31);
}
