#include "platform/MenuInput.h"

#include "platform/Gamepads.h"
#include "platform/Window.h"

namespace wnd {
namespace {

int KeyFor(TMenuKey key) {
  switch (key) {
    case TMenuKey::Up: return KEY_UP;
    case TMenuKey::Down: return KEY_DOWN;
    case TMenuKey::Left: return KEY_LEFT;
    case TMenuKey::Right: return KEY_RIGHT;
    case TMenuKey::Press: return KEY_ENTER;
    case TMenuKey::Back: return KEY_ESC;
  }
  return KEY_ESC;
}

bool PadPressed(TMenuKey key) {
  TGamepadSource& pads = Gamepads();
  switch (key) {
    case TMenuKey::Up: return pads.ButtonPressed(TPadButton::Up);
    case TMenuKey::Down: return pads.ButtonPressed(TPadButton::Down);
    case TMenuKey::Left: return pads.ButtonPressed(TPadButton::Left);
    case TMenuKey::Right: return pads.ButtonPressed(TPadButton::Right);
    case TMenuKey::Press: return pads.ButtonPressed(TPadButton::South);
    case TMenuKey::Back: {
      // Both are asked so a press of either is used up now, not left for later.
      const bool east = pads.ButtonPressed(TPadButton::East);
      const bool start = pads.ButtonPressed(TPadButton::Start);
      return east || start;
    }
  }
  return false;
}

}  // namespace

bool MenuKeyPressed(TMenuKey key) {
  // Both are asked so a press on one is not left pending behind a press on the other.
  const bool keyboard = Platform().KeyPressed(KeyFor(key));
  const bool pad = PadPressed(key);
  return keyboard || pad;
}

void ForgetMenuPresses() {
  Platform().ForgetPresses();
  Gamepads().ForgetPresses();
}

}  // namespace wnd
