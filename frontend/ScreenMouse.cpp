#include "frontend/ScreenMouse.h"

#include "frontend/MenuRules.h"
#include "platform/Window.h"

TMouseLook TScreenMouse::Look() {
  TMouseLook look;
  wnd::GetMousePos(look.x, look.y);
  const bool pressed = wnd::MouseButtonPressed(wnd::MOUSE_BUTTON_LEFT);
  const bool level = wnd::GetMouseButton(wnd::MOUSE_BUTTON_LEFT) == wnd::PRESS;
  if (pressed) holding_ = true;
  look.down = pressed || (holding_ && level);
  look.tapped = pressed && !level;
  if (!level) holding_ = false;
  return look;
}

void TScreenMouse::Forget() {
  wnd::ForgetPresses();
  holding_ = false;
}

int ApplyLook(TBouton& button, int state, const TMouseLook& look, std::uint32_t& texture) {
  texture = ApplyButtonState(button, state);
  if (look.tapped && state == kButtonHeld) {
    state = kButtonReleased;
    texture = ApplyButtonState(button, state);
  }
  return state;
}
