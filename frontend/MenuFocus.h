// Where the keys (or a pad) move the focus among a screen's buttons. The buttons keep
// their places on the screen, so the focus follows them there: down goes to the nearest
// button below, right to the nearest one to the right, preferring a button in line with
// the focused one over one that is closer but off to the side, and ignoring buttons that
// lie more to the side than in the direction asked.
#pragma once

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
