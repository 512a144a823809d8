// The keys' focus on a screen of buttons: arrows (or a pad's d-pad) move it, Enter (or
// the south button) presses the focused button. The mouse keeps working beside it, and
// whichever the player used last shows: the pointer's hover, or the keys' focus. Which
// one that is carries over from screen to screen, so a player on the keys finds the focus
// shown on every screen they reach.
#pragma once

#include "frontend/ScreenMouse.h"

// Whether the keys (rather than the mouse) were used last to point at a button.
bool MenuKeysInUse();
void SetMenuKeysInUse(bool keys);

// The menu moves made this frame.
struct TMenuPresses {
  bool up = false, down = false, left = false, right = false, press = false;
  bool Any() const { return up || down || left || right || press; }
};

class TKeyFocus {
 public:
  // Once a frame, after the mouse's look: takes this frame's menu presses (each is read
  // once). A moved pointer or a mouse press hands the focus to the mouse. The first press
  // after the mouse was used only brings the keys' focus into view, onto the button under
  // the pointer (`hovered`, -1 for none) or where it was; it neither moves nor presses, so
  // nothing happens that the player could not see coming. `fallback` is where the focus
  // starts on a screen that never had it. Returns the presses that count.
  TMenuPresses Read(const TMouseLook& look, int hovered, int fallback);
  // The screen starts: the pointer's place is taken anew, pending moves are dropped.
  void Forget();
  // While paused nothing is read (a screen that waits for any key to bind takes them).
  void SetPaused(bool paused) { paused_ = paused; }

  bool Shown() const { return MenuKeysInUse() && focused_ >= 0; }
  int Focused() const { return focused_; }
  void SetFocus(int index) { focused_ = index; }

 private:
  int focused_ = -1;
  bool pointerSeen_ = false;
  int pointerX_ = 0;
  int pointerY_ = 0;
  bool paused_ = false;
};
