#include "frontend/Upanel.h"

#include <vector>

#include "frontend/MenuFocus.h"
#include "frontend/MenuRules.h"
#include "platform/Window.h"
#include "renderer/PanelDraw.h"
#include "renderer/Textures.h"

Tpanel::Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
               const std::string& backgroundPath)
    : Tpanel(screenWidth, screenHeight, std::move(buttons), backgroundPath, 0) {
  if (LoadTexture(backgroundPath_, backgroundTexture_)) {
    ownedBackground_ = TTexture(backgroundTexture_);
  }
}

Tpanel::Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
               const std::string& backgroundPath, std::uint32_t backgroundTexture)
    : screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      buttons_(std::move(buttons)),
      backgroundPath_(backgroundPath),
      backgroundTexture_(backgroundTexture),
      faceAngle_(FaceAngleFor(buttons_.size())) {
  for (TBouton& button : buttons_) button.pressed = false;
}

int Tpanel::ButtonState(const TBouton& button) const {
  TMouseLook look;
  wnd::GetMousePos(look.x, look.y);
  look.down = wnd::GetMouseButton(wnd::MOUSE_BUTTON_LEFT) == wnd::PRESS;
  return ButtonState(button, look);
}

int Tpanel::ButtonState(const TBouton& button, const TMouseLook& look) const {
  return PanelButtonState(button, look.x, look.y, look.down, screenWidth_, screenHeight_);
}

void Tpanel::Forget() {
  mouse_.Forget();
  keys_.Forget();
  for (TBouton& button : buttons_) button.pressed = false;
}

// In virtual units about the face's centre, y up; the renderer scales them to box units.
TButtonQuad Tpanel::ButtonQuad(const TBouton& button, std::uint32_t texture) const {
  const double halfW = virtualWidth_ / 2;
  const double halfH = virtualHeight_ / 2;
  return {texture, button.x - halfW, halfH - button.y, button.x + button.width - halfW,
          halfH - button.y - button.height};
}

TButtonQuad Tpanel::DecalQuad(const TDecal& decal) const {
  TBouton place;
  place.x = decal.x;
  place.y = decal.y;
  place.width = decal.width;
  place.height = decal.height;
  TButtonQuad quad = ButtonQuad(place, decal.texture);
  quad.depth = 2.002;  // in front of the button it lies on
  return quad;
}

// The button the keys pressed this frame, or -1; moves the focus as the arrows say.
int Tpanel::ReadKeys(const TMouseLook& look, int hovered) {
  const int first = firstFocus_ >= 0 ? firstFocus_ : FirstFocusable(buttons_);
  const TMenuPresses presses = keys_.Read(look, hovered, first);
  if (!presses.Any()) return -1;
  int focus = keys_.Focused();
  if (presses.up) focus = MoveFocus(buttons_, focus, TFocusMove::Up);
  if (presses.down) focus = MoveFocus(buttons_, focus, TFocusMove::Down);
  if (presses.left) focus = MoveFocus(buttons_, focus, TFocusMove::Left);
  if (presses.right) focus = MoveFocus(buttons_, focus, TFocusMove::Right);
  keys_.SetFocus(focus);
  return presses.press ? focus : -1;
}

namespace {

std::uint32_t KeyFocusPicture(const TBouton& button) {
  return button.keyFocusTexture != 0 ? button.keyFocusTexture : button.focusTexture;
}

}  // namespace

int Tpanel::DrawPanel(bool isStatic, std::span<const TDecal> decals) {
  int clicked = -1;
  TMouseLook look;
  std::vector<int> states(buttons_.size(), kButtonOutside);
  int keyPress = -1;
  if (!isStatic) {
    look = mouse_.Look();
    int hovered = -1;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
      states[i] = ButtonState(buttons_[i], look);
      if (states[i] != kButtonOutside && Focusable(buttons_[i])) hovered = static_cast<int>(i);
    }
    keyPress = ReadKeys(look, hovered);
  }
  const bool keysShown = !isStatic && keys_.Shown();
  std::vector<TButtonQuad> quads;
  quads.reserve(buttons_.size() + decals.size());
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TBouton& button = buttons_[i];
    std::uint32_t texture = button.inactiveTexture;
    if (!isStatic) {
      int state = ApplyLook(button, states[i], look, texture);
      if (state == kButtonReleased) clicked = static_cast<int>(i);
      // The keys hold the focus: a pointer merely resting on a button does not light it.
      if (keysShown && state == kButtonHover) texture = button.inactiveTexture;
      if (keysShown && static_cast<int>(i) == keys_.Focused()) {
        texture = static_cast<int>(i) == keyPress ? button.activeTexture : KeyFocusPicture(button);
      }
    }
    quads.push_back(ButtonQuad(button, texture));
  }
  for (const TDecal& decal : decals) quads.push_back(DecalQuad(decal));
  DrawPanelFace({tiltAngle_, faceAngle_, backgroundTexture_, kScaleX, kScaleY}, quads);
  return clicked >= 0 ? clicked : keyPress;
}
