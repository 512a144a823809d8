#include "frontend/KeyFocus.h"

#include "platform/MenuInput.h"

namespace {
bool keysInUse = false;
}  // namespace

bool MenuKeysInUse() { return keysInUse; }
void SetMenuKeysInUse(bool keys) { keysInUse = keys; }

TMenuPresses TKeyFocus::Read(const TMouseLook& look, int hovered, int fallback) {
  const bool moved = pointerSeen_ && (look.x != pointerX_ || look.y != pointerY_);
  if (moved || look.down) SetMenuKeysInUse(false);
  pointerSeen_ = true;
  pointerX_ = look.x;
  pointerY_ = look.y;
  // Shown at once on a screen reached with the keys.
  if (focused_ < 0) focused_ = fallback;
  if (paused_) return {};
  using wnd::TMenuKey;
  // Every move is asked each frame, so none is left pending to act on a later screen.
  TMenuPresses presses;
  presses.up = wnd::MenuKeyPressed(TMenuKey::Up);
  presses.down = wnd::MenuKeyPressed(TMenuKey::Down);
  presses.left = wnd::MenuKeyPressed(TMenuKey::Left);
  presses.right = wnd::MenuKeyPressed(TMenuKey::Right);
  presses.press = wnd::MenuKeyPressed(TMenuKey::Press);
  if (!presses.Any()) return {};
  if (!MenuKeysInUse()) {
    SetMenuKeysInUse(true);
    if (hovered >= 0) focused_ = hovered;
    return {};
  }
  return presses;
}

void TKeyFocus::Forget() {
  pointerSeen_ = false;
  wnd::ForgetMenuPresses();
}
