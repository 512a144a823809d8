// The left mouse button as a screen of buttons sees it: down only for a hold that began
// with a press this screen saw. A button held since an earlier screen (or pressed while
// nothing was reading) is no click here, and a click shorter than a frame still counts,
// once, where the pointer is when it is seen.
#pragma once

#include <cstdint>

#include "frontend/Bouton.h"

struct TMouseLook {
  int x = 0;  // window pixels from the top-left
  int y = 0;
  bool down = false;
  // The press and its release both came since the last look (a click shorter than a
  // frame): judged where the pointer is now, since by the next look it may have moved.
  bool tapped = false;
};

// Moves the button's pressed flag by the state the mouse rule gave for this look and
// gives the state and the picture to show; a click shorter than a frame that went down
// on the button is completed at once.
int ApplyLook(TBouton& button, int state, const TMouseLook& look, std::uint32_t& texture);

class TScreenMouse {
 public:
  // Once a frame: reads the pointer and takes the button's pending press.
  TMouseLook Look();
  // The screen starts: presses and holds from before it are dropped.
  void Forget();

 private:
  bool holding_ = false;  // the button has stayed down since a press seen here
};
