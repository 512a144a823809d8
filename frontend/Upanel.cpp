#include "frontend/Upanel.h"

#include <vector>

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
  for (TBouton& button : buttons_) button.pressed = false;
}

// In virtual units about the face's centre, y up; the renderer scales them to box units.
TButtonQuad Tpanel::ButtonQuad(const TBouton& button, std::uint32_t texture) const {
  const double halfW = virtualWidth_ / 2;
  const double halfH = virtualHeight_ / 2;
  return {texture, button.x - halfW, halfH - button.y, button.x + button.width - halfW,
          halfH - button.y - button.height};
}

int Tpanel::DrawPanel(bool isStatic) {
  int clicked = -1;
  TMouseLook look;
  if (!isStatic) look = mouse_.Look();
  std::vector<TButtonQuad> quads;
  quads.reserve(buttons_.size());
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TBouton& button = buttons_[i];
    std::uint32_t texture = button.inactiveTexture;
    if (!isStatic) {
      int state = ApplyLook(button, ButtonState(button, look), look, texture);
      if (state == kButtonReleased) clicked = static_cast<int>(i);
    }
    quads.push_back(ButtonQuad(button, texture));
  }
  DrawPanelFace({tiltAngle_, faceAngle_, backgroundTexture_, kScaleX, kScaleY}, quads);
  return clicked;
}
