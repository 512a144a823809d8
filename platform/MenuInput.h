// What a menu, the track chooser, the save screen and the overlay read besides the mouse:
// the arrow keys, Enter and Escape, or the same moves on any pad (d-pad or stick, south
// button to press, east button to go back, Start as Escape).
#pragma once

namespace wnd {

enum class TMenuKey { Up, Down, Left, Right, Press, Back };

// Whether the move was made since the last time anyone asked about it (once per press).
bool MenuKeyPressed(TMenuKey key);
// Forgets pending menu moves from keys and pads alike: a screen that starts calls it.
void ForgetMenuPresses();

}  // namespace wnd
