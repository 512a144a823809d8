// Where the keys (or a pad) move the focus among a screen's buttons. The buttons keep
// their places on the screen, so the focus follows them there: down goes to the nearest
// button below, right to the nearest one to the right, preferring a button in line with
// the focused one over one that is closer but off to the side, and ignoring buttons that
// lie more to the side than in the direction asked.
#pragma once

#include <cstdint>

#include "frontend/Bouton.h"

enum class TFocusMove { Up, Down, Left, Right };

// A button the focus can rest on: it has an area and is not a caption.
bool Focusable(const TBouton& button);
// The first focusable button, or -1 when the screen has none.
int FirstFocusable(const TTab_bouton& buttons);
// The button the move leads to from `from`; `from` itself when nothing lies that way.
// A `from` that is not focusable (or out of range) gives the first focusable button.
int MoveFocus(const TTab_bouton& buttons, int from, TFocusMove move);

// The overlay's dials step one notch a press: a level between two notches goes to the
// nearer one on the side of the move. Levels stay within 0..256.
int DialLevelDown(int level);
int DialLevelUp(int level);

// A dial's key or stick held down turns it on, as a held key repeats in a text field:
// the press itself turns it once, and after a pause the hold adds a notch at a steady pace,
// so a dial goes from silent to full in about two seconds instead of 32 presses.
class THeldRepeat {
 public:
  static constexpr std::uint32_t kDelayMs = 400;
  static constexpr std::uint32_t kEveryMs = 50;
  // `direction` held now (-1 or 1; 0 when nothing is): the repeats due since the last
  // call. A new direction starts a new hold, which repeats nothing until the pause is over.
  int Steps(int direction, std::uint32_t now);

 private:
  int direction_ = 0;
  std::uint32_t since_ = 0;
  int done_ = 0;
};
